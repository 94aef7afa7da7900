#include "runtime/form_slot.h"

#include "runtime/runtime.h"

namespace vb {

FormSlotBase::FormSlotBase(Runtime& runtime, std::string name)
    : runtime_(runtime), name_(std::move(name)) {}

Form& FormSlotBase::form() {
    if (!instance_) runtime_.Load(*this);
    return *instance_;
}

}  // namespace vb

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The one global instance of each form. A slot builds its form from the design on load, and
// `Slot->Control` loads the form hidden first if it is not loaded, as a reference to a control of
// an unloaded form does.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "runtime/form.h"

namespace forms {

class Runtime;

class FormSlotBase {
public:
    FormSlotBase(Runtime& runtime, std::string name);
    FormSlotBase(const FormSlotBase&) = delete;
    FormSlotBase& operator=(const FormSlotBase&) = delete;
    virtual ~FormSlotBase() = default;

    Runtime& runtime() const { return runtime_; }
    const std::string& name() const { return name_; }
    bool loaded() const { return instance_ != nullptr; }
    // The loaded form, or null. Never loads.
    Form* instance() const { return instance_.get(); }
    // The loaded form, loading it first if needed.
    Form& form();

private:
    friend class Runtime;
    virtual std::unique_ptr<Form> create() = 0;

    Runtime& runtime_;
    std::string name_;
    std::unique_ptr<Form> instance_;
};

template <class F>
class FormSlot final : public FormSlotBase {
public:
    using Factory = std::function<std::unique_ptr<F>(FormSlot&)>;
    FormSlot(Runtime& runtime, std::string name, Factory factory)
        : FormSlotBase(runtime, std::move(name)), factory_(std::move(factory)) {}

    F& get() { return static_cast<F&>(form()); }
    F* operator->() { return &get(); }

private:
    std::unique_ptr<Form> create() override { return factory_(*this); }
    Factory factory_;
};

}  // namespace forms

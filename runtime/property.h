// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Properties of forms and controls. A property reads and assigns like a plain value
// (`Main.Left = Main.Left + 120;`), and tells its owner on every assignment so that the owner can
// react (a timer restarts its period, an image takes its picture's size) and the host knows what
// to repaint. Every property has its name, so tools can read and set it by path.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "runtime/picture.h"
#include "runtime/values.h"

namespace forms {

class PropertyBase;

// Anything that has properties: a form or a control.
class PropertyOwner {
public:
    PropertyOwner() = default;
    PropertyOwner(const PropertyOwner&) = delete;
    PropertyOwner& operator=(const PropertyOwner&) = delete;
    virtual ~PropertyOwner() = default;

    const std::vector<PropertyBase*>& properties() const { return properties_; }
    PropertyBase* property(std::string_view name) const;

    // Called after every assignment to one of this owner's properties.
    virtual void propertySet(const PropertyBase& property) = 0;

private:
    friend class PropertyBase;
    std::vector<PropertyBase*> properties_;
};

class PropertyBase {
public:
    PropertyBase(PropertyOwner& owner, const char* name) : owner_(owner), name_(name) {
        owner.properties_.push_back(this);
    }
    PropertyBase(const PropertyBase&) = delete;
    virtual ~PropertyBase() = default;

    const char* name() const { return name_; }
    // The value as the runtime prints it: "3840", "True", a caption, "#12 ball".
    virtual std::string text() const = 0;
    // Assigns from text as game code would; raises the runtime's conversion errors.
    virtual void setText(std::string_view text) = 0;

protected:
    void notify() { owner_.propertySet(*this); }

private:
    PropertyOwner& owner_;
    const char* name_;
};

std::string formatValue(Single v);
std::string formatValue(Long v);
std::string formatValue(int v);
std::string formatValue(bool v);
std::string formatValue(const std::string& v);
std::string formatValue(const Picture& v);
void parseValue(std::string_view text, Single& out);
void parseValue(std::string_view text, Long& out);
void parseValue(std::string_view text, int& out);
void parseValue(std::string_view text, bool& out);
void parseValue(std::string_view text, std::string& out);
void parseValue(std::string_view text, Picture& out);  // only "#0", the empty picture

template <class T>
class Prop final : public PropertyBase {
public:
    Prop(PropertyOwner& owner, const char* name, T initial = T{})
        : PropertyBase(owner, name), value_(std::move(initial)) {}

    operator const T&() const { return value_; }
    const T& get() const { return value_; }

    Prop& operator=(T v) {
        value_ = std::move(v);
        notify();
        return *this;
    }
    // `A.Picture = B.Picture` copies the value, never the property itself.
    Prop& operator=(const Prop& other) { return *this = T(other.value_); }

    std::string text() const override { return formatValue(value_); }
    void setText(std::string_view text) override {
        T v{};
        parseValue(text, v);
        *this = std::move(v);
    }

private:
    T value_;
};

}  // namespace forms

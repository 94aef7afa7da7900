// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/script/interpreter.h"

#include <charconv>
#include <map>
#include <memory>
#include <set>
#include <ostream>
#include <string>

#include "runtime/form_slot.h"
#include "runtime/runtime.h"

namespace miravel {

void TraceHost::formLoading(forms::Form& f) { out_ << "load " << f.name() << '\n'; }
void TraceHost::formShown(forms::Form& f) { out_ << "show " << f.name() << '\n'; }
void TraceHost::formUnloading(forms::Form& f) { out_ << "unload " << f.name() << '\n'; }
void TraceHost::windowStateChanged(forms::Form& f) {
    out_ << "state " << f.name() << (f.WindowState == 1 ? " minimized" : " normal") << '\n';
}
void TraceHost::messageBox(std::string_view title, std::string_view text) {
    out_ << "msgbox \"" << title << "\" \"" << text << "\"\n";
}
void TraceHost::runtimeError(const forms::RuntimeError& e) {
    out_ << "error " << e.number() << " \"" << e.description() << "\"\n";
}
void TraceHost::programEnded(int) { out_ << "end\n"; }

namespace {

// Key names a script may use instead of codes.
const std::map<std::string, int, std::less<>> kKeyNames{
    {"Tab", forms::key::Tab},     {"Enter", forms::key::Enter}, {"Escape", forms::key::Escape},
    {"Space", forms::key::Space}, {"Left", forms::key::Left},   {"Up", forms::key::Up},
    {"Right", forms::key::Right}, {"Down", forms::key::Down},
};

}  // namespace

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
        if (j > i) words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

std::string keyName(int code) {
    for (const auto& [name, value] : kKeyNames)
        if (value == code) return name;
    if (code >= 'A' && code <= 'Z') return std::string(1, static_cast<char>(code));
    return std::to_string(code);
}

namespace {

// What follows the first `skip` words of the line, as it stands.
std::string_view rest(std::string_view line, std::size_t skip) {
    std::size_t i = 0;
    for (std::size_t w = 0; w < skip; ++w) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return line.substr(i);
}

// A form's own properties as scripts read them, in the order dump prints them.
struct FormProperty {
    const char* name;
    std::string (*read)(const forms::Form&);
};
const FormProperty kFormProperties[]{
    {"Caption", [](const forms::Form& f) { return f.Caption.text(); }},
    {"WindowState", [](const forms::Form& f) { return f.WindowState.text(); }},
    {"Visible", [](const forms::Form& f) { return f.Visible.text(); }},
    {"ActiveControl", [](const forms::Form& f) { return std::string(f.focus() ? f.focus()->name() : ""); }},
    {"Width", [](const forms::Form& f) { return std::to_string(f.design().clientWidth); }},
    {"Height", [](const forms::Form& f) { return std::to_string(f.design().clientHeight); }},
    {"Left", [](const forms::Form& f) { return std::to_string(f.design().left); }},
    {"Top", [](const forms::Form& f) { return std::to_string(f.design().top); }},
    {"Picture", [](const forms::Form& f) { return forms::formatValue(f.Picture); }},
    {"Icon", [](const forms::Form& f) { return forms::formatValue(f.Icon); }},
    {"MouseIcon", [](const forms::Form& f) { return forms::formatValue(f.MouseIcon); }},
};
constexpr std::size_t kDumpedFormProperties = 6;  // Caption to Height

const FormProperty* formPropertyNamed(std::string_view name) {
    for (const FormProperty& p : kFormProperties)
        if (name == p.name) return &p;
    return nullptr;
}

// The names of the properties a control of any kind has, read off one control of each kind, so
// that a path to a form that is not loaded is checked against what the controls really have.
const std::set<std::string, std::less<>>& controlPropertyNames() {
    static const std::set<std::string, std::less<>> names = [] {
        struct NoHost final : forms::Host {
            void messageBox(std::string_view, std::string_view) override {}
        };
        struct EveryKind final : forms::Form {
            explicit EveryKind(forms::FormSlotBase& slot)
                : forms::Form(slot, forms::FormDesign{}),
                  image(*this, "Image", {}, false),
                  label(*this, "Label", {}, false, "", {}),
                  button(*this, "Button", {}, false, "", {}),
                  shape(*this, "Shape", {}, {}),
                  timer(*this, "Timer", 0, false) {}
            forms::Image image;
            forms::Label label;
            forms::CommandButton button;
            forms::Shape shape;
            forms::Timer timer;
        };
        NoHost host;
        forms::Runtime runtime(host, {}, "");
        forms::FormSlot<EveryKind> slot(runtime, "EveryKind",
                                        [](forms::FormSlotBase& s) { return std::make_unique<EveryKind>(s); });
        std::set<std::string, std::less<>> all;
        for (const forms::Control* c : slot.form().controls())
            for (const forms::PropertyBase* p : c->properties()) all.emplace(p->name());
        return all;
    }();
    return names;
}

long long number(std::string_view word, const char* what) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
    if (ec != std::errc() || end != word.data() + word.size())
        throw ScriptError{std::string(what) + " must be a whole number, not '" + std::string(word) + "'"};
    return v;
}

}  // namespace

class Interpreter::Impl {
public:
    Impl(std::ostream& out, TraceHost& host) : program_(host), out_(out) {}

    Program& program() { return program_; }

    bool failed() const { return failed_; }
    void setRow(std::string row) { row_ = std::move(row); }

    void execute(std::string_view line, int lineNo) {
        const auto words = splitWords(line);
        if (words.empty() || words[0].front() == '#') return;
        const std::string_view cmd = words[0];
        if (program_.runtime.ended() && cmd != "print" && cmd != "expect")
            throw ScriptError{"the program has ended; only print and expect may follow"};

        if (cmd == "start") {
            want(words, 1, "start");
            if (started_) throw ScriptError{"the program is already started"};
            started_ = true;
            program_.start();
        } else if (cmd == "load" || cmd == "show" || cmd == "unload" || cmd == "open") {
            want(words, 2, std::string(cmd) + " FORM");
            forms::FormSlotBase& slot = formSlot(words[1]);
            forms::Runtime& rt = program_.runtime;
            rt.dispatch([&] {
                if (cmd == "load" || cmd == "open") rt.load(slot);
                if (cmd == "show" || cmd == "open") rt.show(slot);
                if (cmd == "unload") rt.unload(slot);
            });
        } else if (cmd == "close") {
            want(words, 2, "close FORM");
            forms::FormSlotBase& slot = formSlot(words[1]);
            if (!slot.loaded()) out_ << "ignored " << slot.name() << '\n';
            else program_.runtime.frameClose(*slot.instance());
        } else if (cmd == "window") {
            want(words, 3, "window FORM normal|minimized");
            forms::FormSlotBase& slot = formSlot(words[1]);
            if (words[2] != "normal" && words[2] != "minimized")
                throw ScriptError{"window state must be normal or minimized"};
            if (!slot.loaded()) out_ << "ignored " << slot.name() << '\n';
            else program_.runtime.playerSetWindowState(*slot.instance(), words[2] == "normal" ? 0 : 1);
        } else if (cmd == "click") {
            want(words, 2, "click FORM.BUTTON");
            click(words[1]);
        } else if (cmd == "key") {
            auto args = words;
            const long long times = repeatCount(args);
            if (args.size() < 4 || args.size() > 5 || (args[2] != "down" && args[2] != "up"))
                throw ScriptError{"usage: key FORM down|up CODE [MASK] [xN]"};
            const int code = keyCode(args[3]);
            const int m = args.size() == 5 ? mask(args[4]) : 0;
            for (long long i = 0; i < times; ++i) key(args[1], args[2] == "down", code, m, true);
        } else if (cmd == "press") {
            auto args = words;
            const long long times = repeatCount(args);
            if (args.size() < 3 || args.size() > 4) throw ScriptError{"usage: press FORM CODE [MASK] [xN]"};
            const int code = keyCode(args[2]);
            const int m = args.size() == 4 ? mask(args[3]) : 0;
            for (long long i = 0; i < times; ++i)
                if (key(args[1], true, code, m, true)) key(args[1], false, code, m, false);
        } else if (cmd == "tick") {
            if (words.size() < 2 || words.size() > 3) throw ScriptError{"usage: tick FORM.TIMER [N]"};
            const long long n = words.size() == 3 ? number(words[2], "N") : 1;
            if (n < 0) throw ScriptError{"N must not be negative"};
            tick(words[1], n);
        } else if (cmd == "run") {
            want(words, 2, "run MS");
            const long long ms = number(words[1], "MS");
            if (ms < 0) throw ScriptError{"MS must not be negative"};
            forms::Runtime& rt = program_.runtime;
            rt.advanceTo(rt.now() + ms, forms::LateTicks::Deliver);
        } else if (cmd == "set") {
            if (words.size() < 3) throw ScriptError{"usage: set PATH VALUE"};
            set(words[1], rest(line, 2));
        } else if (cmd == "print") {
            want(words, 2, "print PATH");
            out_ << words[1] << " = " << read(words[1]) << '\n';
        } else if (cmd == "expect") {
            if (words.size() < 3) throw ScriptError{"usage: expect PATH VALUE | expect PATH is PATH2"};
            const std::string actual = read(words[1]);
            std::string wanted = std::string(rest(line, 2));
            if (words.size() == 4 && words[2] == "is") wanted = read(words[3]);
            if (actual != wanted) {
                failed_ = true;
                out_ << "FAIL line " << lineNo << ": " << words[1] << " = " << actual << ", expected "
                     << wanted << row_ << '\n';
            }
        } else if (cmd == "dump") {
            want(words, 2, "dump FORM");
            dump(words[1]);
        } else {
            throw ScriptError{"unknown command '" + std::string(cmd) + "'"};
        }
    }

private:
    // A trailing "xN" repeats a key command N times, exactly as N lines of it would.
    static long long repeatCount(std::vector<std::string_view>& words) {
        const std::string_view last = words.back();
        if (words.size() < 3 || last.size() < 2 || last[0] != 'x') return 1;
        const long long n = number(last.substr(1), "a repeat count after x");
        if (n < 0) throw ScriptError{"a repeat count must not be negative"};
        words.pop_back();
        return n;
    }

    static void want(const std::vector<std::string_view>& words, std::size_t n, const std::string& usage) {
        if (words.size() != n) throw ScriptError{"usage: " + usage};
    }

    forms::FormSlotBase& formSlot(std::string_view name) {
        forms::FormSlotBase* slot = program_.runtime.slot(name);
        if (!slot) throw ScriptError{"no form named '" + std::string(name) + "'"};
        return *slot;
    }

    static int keyCode(std::string_view word) {
        if (auto it = kKeyNames.find(word); it != kKeyNames.end()) return it->second;
        if (word.size() == 1 && word[0] >= 'A' && word[0] <= 'Z') return word[0];
        const long long v = number(word, "a key code");
        if (v < 0 || v > 0xFFFF) throw ScriptError{"a key code is 0 to 65535"};
        return static_cast<int>(v);
    }

    static int mask(std::string_view word) {
        const long long v = number(word, "a modifier mask");
        if (v < 0 || v > 7) throw ScriptError{"a modifier mask is 0 to 7 (1 Shift, 2 Ctrl, 4 Alt)"};
        return static_cast<int>(v);
    }

    struct Path {
        std::string_view form, control, property;  // control empty for a form's own property
    };

    static Path parse(std::string_view path) {
        const auto words = [&] {
            std::vector<std::string_view> parts;
            std::size_t start = 0;
            for (std::size_t i = 0; i <= path.size(); ++i)
                if (i == path.size() || path[i] == '.') {
                    parts.push_back(path.substr(start, i - start));
                    start = i + 1;
                }
            return parts;
        }();
        for (auto w : words)
            if (w.empty()) throw ScriptError{"bad path '" + std::string(path) + "'"};
        if (words.size() == 2) return {words[0], {}, words[1]};
        if (words.size() == 3) return {words[0], words[1], words[2]};
        throw ScriptError{"a path is FORM.PROPERTY or FORM.CONTROL.PROPERTY, not '" + std::string(path) + "'"};
    }

    forms::Control& control(forms::Form& form, std::string_view name) {
        forms::Control* c = form.control(name);
        if (!c) throw ScriptError{"no control " + form.name() + "." + std::string(name)};
        return *c;
    }

    // Reading never loads a form.
    std::string read(std::string_view text) {
        const Path p = parse(text);
        forms::Runtime& rt = program_.runtime;
        if (p.form == "App") {
            if (!p.control.empty()) throw ScriptError{"App has properties only"};
            if (p.property == "Ended") return rt.ended() ? "True" : "False";
            if (p.property == "Time") return std::to_string(rt.now());
            throw ScriptError{"App has no property " + std::string(p.property)};
        }
        forms::FormSlotBase& slot = formSlot(p.form);
        forms::Form* form = slot.instance();
        if (p.control.empty() && p.property == "Loaded") return form ? "True" : "False";
        if (!form) {
            checkKnown(p);
            return "<not loaded>";
        }
        if (p.control.empty()) return formProperty(*form, p.property);
        forms::PropertyBase* prop = control(*form, p.control).property(p.property);
        if (!prop) throw ScriptError{"no property " + std::string(text)};
        return prop->text();
    }

    // A path to a form that is not loaded is still checked against the property names, so that a
    // typo is a script error even then.
    void checkKnown(const Path& p) {
        if (p.control.empty()) {
            if (!formPropertyNamed(p.property)) throw ScriptError{"forms have no property " + std::string(p.property)};
            return;
        }
        if (!controlPropertyNames().count(p.property))
            throw ScriptError{"controls have no property " + std::string(p.property)};
    }

    static std::string formProperty(forms::Form& f, std::string_view name) {
        if (const FormProperty* p = formPropertyNamed(name)) return p->read(f);
        throw ScriptError{"forms have no property " + std::string(name)};
    }

    // Setting is what game code does: a reference to an unloaded form loads it.
    void set(std::string_view text, std::string_view value) {
        const Path p = parse(text);
        if (p.form == "App") throw ScriptError{"App's properties cannot be set"};
        forms::FormSlotBase& slot = formSlot(p.form);
        forms::Runtime& rt = program_.runtime;
        rt.dispatch([&] {
            forms::Form& form = slot.form();
            if (p.control.empty()) {
                if (p.property == "Caption") form.Caption.setText(value);
                else if (p.property == "WindowState") form.WindowState.setText(value);
                else throw ScriptError{"form property " + std::string(p.property) + " cannot be set"};
                return;
            }
            forms::PropertyBase* prop = control(form, p.control).property(p.property);
            if (!prop) throw ScriptError{"no property " + std::string(text)};
            if (p.property == "Picture" && value != "#0") {
                // A picture is given as the path of another picture: both then show the same one.
                auto* target = dynamic_cast<forms::Prop<forms::Picture>*>(prop);
                const Path src = parse(value);
                forms::FormSlotBase& srcSlot = formSlot(src.form);
                forms::Form& srcForm = srcSlot.form();
                auto* from = src.control.empty() ? nullptr
                                                 : dynamic_cast<forms::Prop<forms::Picture>*>(
                                                       control(srcForm, src.control).property(src.property));
                if (!target || !from) throw ScriptError{"a picture is set from another image's Picture"};
                *target = *from;
                return;
            }
            prop->setText(value);
        });
    }

    void click(std::string_view text) {
        // FORM.CONTROL is a path without its property; the views point into `full`.
        const std::string full = std::string(text) + ".x";
        const Path p = parse(full);
        forms::FormSlotBase& slot = formSlot(p.form);
        forms::Form* form = slot.instance();
        forms::CommandButton* button = nullptr;
        if (form) {
            forms::Control& c = control(*form, p.control);
            if (c.kind() != forms::Control::Kind::CommandButton)
                throw ScriptError{std::string(text) + " is not a command button"};
            button = static_cast<forms::CommandButton*>(&c);
        }
        if (!button || !button->Visible) {
            out_ << "ignored " << text << '\n';
            return;
        }
        program_.runtime.click(*button);
    }

    // Returns false when the form is not loaded (the key went nowhere).
    bool key(std::string_view formName, bool down, int code, int m, bool report) {
        forms::FormSlotBase& slot = formSlot(formName);
        forms::Form* form = slot.instance();
        if (!form) {
            if (report) out_ << "ignored " << slot.name() << '\n';
            return false;
        }
        if (down) program_.runtime.keyDown(*form, code, m);
        else program_.runtime.keyUp(*form, code, m);
        return true;
    }

    void tick(std::string_view text, long long n) {
        // FORM.CONTROL is a path without its property; the views point into `full`.
        const std::string full = std::string(text) + ".x";
        const Path p = parse(full);
        forms::FormSlotBase& slot = formSlot(p.form);
        forms::Form* form = slot.instance();
        if (!form) return;
        forms::Control& c = control(*form, p.control);
        if (c.kind() != forms::Control::Kind::Timer) throw ScriptError{std::string(text) + " is not a timer"};
        auto& timer = static_cast<forms::Timer&>(c);
        const std::uint64_t serial = form->serial();
        for (long long i = 0; i < n; ++i) {
            // The form and its timer are gone once an unload has run its course.
            if (program_.runtime.ended() || !slot.instance() || slot.instance()->serial() != serial) break;
            if (!timer.Enabled) break;
            program_.runtime.tick(timer);
        }
    }

    void dump(std::string_view name) {
        forms::FormSlotBase& slot = formSlot(name);
        forms::Form* form = slot.instance();
        if (!form) {
            out_ << slot.name() << ".Loaded = False\n";
            return;
        }
        for (std::size_t i = 0; i < kDumpedFormProperties; ++i)
            out_ << slot.name() << '.' << kFormProperties[i].name << " = " << kFormProperties[i].read(*form) << '\n';
        for (forms::Control* c : form->controls())
            for (forms::PropertyBase* p : c->properties())
                out_ << slot.name() << '.' << c->name() << '.' << p->name() << " = " << p->text() << '\n';
    }

    Program program_;
    std::ostream& out_;
    bool started_ = false;
    bool failed_ = false;
    std::string row_;
};

Interpreter::Interpreter(std::ostream& out, TraceHost& host) : impl_(std::make_unique<Impl>(out, host)) {}
Interpreter::~Interpreter() = default;
Program& Interpreter::program() { return impl_->program(); }
bool Interpreter::failed() const { return impl_->failed(); }
void Interpreter::setRow(std::string row) { impl_->setRow(std::move(row)); }
void Interpreter::execute(std::string_view line, int lineNo) { impl_->execute(line, lineNo); }

}  // namespace miravel

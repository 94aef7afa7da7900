// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/reliability/play_harness.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "game/program.h"
#include "game/level/game1.h"
#include "game/level/game2.h"
#include "game/level/game3.h"
#include "game/level/sprites.h"
#include "runtime/runtime.h"
#include "game/screens/intro.h"
#include "game/screens/selec.h"
#include "tools/script/interpreter.h"

namespace miravel::reliability {

void PlayStats::add(const PlayStats& o) {
    commands += o.commands;
    ticks += o.ticks;
    hits += o.hits;
    defeats += o.defeats;
    exits += o.exits;
    handOvers += o.handOvers;
    beginsMidGame += o.beginsMidGame;
    twoLevelsAtOnce += o.twoLevelsAtOnce;
    virtualMs += o.virtualMs;
    levelMs += o.levelMs;
    maxScore = std::max(maxScore, o.maxScore);
    for (const auto& [why, n] : o.endings) endings[why] += n;
}

namespace {

constexpr const char* kLevelNames[] = {"Game1", "Game2", "Game3"};
constexpr const char* kDefeatText = "Sorry, Try Again!";
// Which level each congratulation belongs to: that level must be gone when its box shows.
const std::pair<const char*, const char*> kExitTexts[] = {
    {"Game1", "Congratulations! You've Beaten the 'Easy' Mode! Try To Beat the 'Moderate' Mode!"},
    {"Game2", "Congratulations! You've Beaten the 'Moderate' Mode! Try To Beat the 'Difficult' Mode!"},
    {"Game3",
     "Congratulations! You've Beaten Miravel Vozoda! Give Yourself a Pat On the Back Because That "
     "Was Tough! :-)"},
};

bool isLevel(std::string_view name) { return name == "Game1" || name == "Game2" || name == "Game3"; }

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    for (std::string_view w : splitWords(line)) out.emplace_back(w);
    return out;
}

long long toNumber(const std::string& w) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (ec != std::errc() || end != w.data() + w.size())
        throw std::logic_error("the harness wrote a bad number: " + w);
    return v;
}

// The score as a number without the runtime's conversion, which would raise inside a handler.
std::optional<double> plainNumber(const std::string& text) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

std::string fmt(double v) { return forms::CStr(v); }

class Flag {
public:
    explicit Flag(bool& f) : f_(f) { f_ = true; }
    ~Flag() { f_ = false; }

private:
    bool& f_;
};

}  // namespace

// The trace, as miravel-script prints it; made before the host that prints into it.
struct TraceText {
    std::ostringstream traceText;
};

struct Player::Impl final : TraceText, TraceHost {
    Impl() : TraceHost(traceText), interpreter(traceText, *this), program(interpreter.program()) {}

    // The commands run exactly as miravel-script runs them; this host adds the checks.
    Interpreter interpreter;
    Program& program;
    std::optional<Violation> violation;
    PlayStats stats;
    std::string command;  // the command being run, for messages

    bool started = false;
    bool ended = false;
    bool errorSeen = false;
    bool quitRunning = false;
    bool closingIntro = false;
    bool handOverTimerRunning = false;
    int spritesLoads = 0;
    int levelsOpen = 0;
    std::int64_t levelSince = 0;
    std::string expectedScore = "0";
    std::deque<std::string> pending;  // the rest of a burst

    forms::Runtime& rt() { return program.runtime; }

    void fail(const char* kind, const std::string& message) {
        if (violation) return;
        violation = Violation{kind, message + " (at command '" + command + "')"};
    }

    IntroForm* intro() const { return static_cast<IntroForm*>(program.Intro.instance()); }
    LevelForm* level(std::string_view name) const {
        forms::FormSlotBase* s = program.runtime.slot(name);
        return s && s->instance() ? static_cast<LevelForm*>(s->instance()) : nullptr;
    }
    bool anyLevelLoaded() const {
        return std::any_of(std::begin(kLevelNames), std::end(kLevelNames),
                           [&](const char* n) { return level(n) != nullptr; });
    }

    // ---- The host: what miravel-script prints, and the checks that belong to each moment ----

    void formLoading(forms::Form& f) override {
        TraceHost::formLoading(f);
        if (ended) fail("after-end", "a form loads after the end: " + f.name());
        if (f.name() == "Sprites" && ++spritesLoads > 1)
            fail("sprites", "the sprite catalogue is created a second time in one run");
        if (isLevel(f.name())) {
            if (f.name() == "Game3" && handOverTimerRunning) ++stats.handOvers;
            if (levelsOpen++ == 0) levelSince = rt().now();
            if (levelsOpen == 2) ++stats.twoLevelsAtOnce;
        }
        for (forms::Control* c : f.controls()) {
            if (c->kind() == forms::Control::Kind::Timer) watchTimer(f, *static_cast<forms::Timer*>(c));
            if (c->kind() == forms::Control::Kind::CommandButton)
                watchButton(f, *static_cast<forms::CommandButton*>(c));
        }
    }
    void formShown(forms::Form& f) override {
        TraceHost::formShown(f);
        if (ended) fail("after-end", "a form is shown after the end: " + f.name());
        if (f.name() == "Sprites") fail("sprites", "the sprite catalogue is shown");
    }
    void formUnloading(forms::Form& f) override {
        TraceHost::formUnloading(f);
        if (f.name() == "Intro") fail("intro", "the title window is unloaded");
        if (isLevel(f.name()) && --levelsOpen == 0) stats.levelMs += rt().now() - levelSince;
    }
    void messageBox(std::string_view title, std::string_view text) override {
        TraceHost::messageBox(title, text);
        if (ended) fail("after-end", "a message box after the end");
        if (title != kAppTitle) fail("msgbox", "a message box titled '" + std::string(title) + "'");
        checkBox(text);
        // A desktop keeps its timers firing inside a modal box; the runtime must hold them back.
        const std::uint64_t ticksBefore = stats.ticks;
        const std::int64_t clock = rt().now();
        if (rt().nextDue()) fail("modal", "a tick falls due while a message box is open");
        rt().advanceTo(clock + 10'000, forms::LateTicks::Drop);
        if (stats.ticks != ticksBefore || rt().now() != clock)
            fail("modal", "the clock or a timer moved while a message box was open");
        checkState(/*quiet=*/false);
    }
    void runtimeError(const forms::RuntimeError& e) override {
        TraceHost::runtimeError(e);
        errorSeen = true;
        // The game writes only numbers into the score and its positions stay small: play alone
        // never raises one.
        fail("error", "run-time error " + std::to_string(e.number()) + " (" + e.description() + ")");
    }
    void programEnded(int status) override {
        TraceHost::programEnded(status);
        std::string why;
        if (quitRunning) why = command.find("Escape") != std::string::npos ? "Escape (Quit)" : "Quit";
        else if (closingIntro) why = "title window closed";
        else if (errorSeen) why = "run-time error";
        else fail("ending", "the program ended without Quit, the title's close or a run-time error");
        if (!why.empty()) ++stats.endings[why];
        if (levelsOpen > 0) stats.levelMs += rt().now() - levelSince;
        levelsOpen = 0;
        ended = true;
    }

    // ---- Hooks around every handler the runtime can reach ----

    bool stillLoaded(const forms::FormSlotBase& slot, std::uint64_t serial) const {
        return slot.instance() && slot.instance()->serial() == serial;
    }

    void watchTimer(forms::Form& f, forms::Timer& t) {
        const forms::FormSlotBase* slot = &f.slot();
        const std::uint64_t serial = f.serial();
        const std::string what = f.name() + "." + t.name();
        const bool youma = isLevel(f.name()) && std::string_view(t.name()) == "Youma";
        const bool handOver = f.name() == "Game2" && std::string_view(t.name()) == "Timer1";
        t.Tick = [this, slot, serial, what, youma, handOver, &t, handler = std::move(t.Tick)] {
            ++stats.ticks;
            if (!stillLoaded(*slot, serial))
                fail("unloaded", "a tick of " + what + " after its form was unloaded");
            if (rt().messageBoxOpen()) fail("modal", "a tick of " + what + " while a message box is open");
            if (!t.Enabled) fail("timer", "a tick of the stopped timer " + what);
            if (!youma) {
                std::optional<Flag> flag;
                if (handOver) flag.emplace(handOverTimerRunning);
                const std::string before = score();
                handler();
                if (score() != before && !ended)
                    fail("score", what + " changed the score from " + before + " to " + score());
                return;
            }
            // Only a hit raises the score, by exactly 10, and a hit hides the tiara it used.
            auto& lv = static_cast<LevelForm&>(t.form());
            const std::string before = score();
            const bool tiaraShown = lv.Action.Visible;
            handler();
            const std::string after = score();
            if (after == before) return;
            const auto b = plainNumber(before), a = plainNumber(after);
            if (!a || !b || *a != *b + 10)
                fail("score", what + " changed the score from " + before + " to " + after);
            else if (!tiaraShown || lv.Action.Visible)
                fail("score", what + " raised the score without a tiara hit");
            ++stats.hits;
            stats.maxScore = std::max(stats.maxScore, a.value_or(0));
            expectedScore = after;
        };
    }

    void watchButton(forms::Form& f, forms::CommandButton& b) {
        const forms::FormSlotBase* slot = &f.slot();
        const std::uint64_t serial = f.serial();
        const std::string what = f.name() + "." + b.name();
        const bool quit = what == "Intro.Quit", begin = what == "Intro.strt";
        b.Click = [this, slot, serial, what, quit, begin, &b, handler = std::move(b.Click)] {
            if (!stillLoaded(*slot, serial))
                fail("unloaded", "a click on " + what + " after its form was unloaded");
            if (!b.Visible) fail("hidden", "a click reached the hidden button " + what);
            if (rt().messageBoxOpen()) fail("modal", "a click on " + what + " while a message box is open");
            if (begin && anyLevelLoaded()) ++stats.beginsMidGame;
            std::optional<Flag> flag;
            if (quit) flag.emplace(quitRunning);
            const std::string before = score();
            handler();  // Quit ends the program by unwinding from here
            if (begin) {
                if (score() != "0") fail("score", "Begin left the score at " + score());
                expectedScore = score();
            } else if (score() != before) {
                fail("score", what + " changed the score from " + before + " to " + score());
            }
        };
    }

    std::string score() const {
        const IntroForm* in = intro();
        return in ? in->Score.Caption.get() : expectedScore;
    }

    // ---- The invariants of a quiet moment ----

    void checkBox(std::string_view text) {
        IntroForm* in = intro();
        if (!in) return fail("intro", "a message box with no title window");
        const bool restored = in->WindowState == 0 && !in->strt.Visible;
        if (text == kDefeatText) {
            ++stats.defeats;
            if (!restored || !in->Score.Visible || !in->LblScr.Visible)
                fail("defeat", "the defeat box shows before the title window offers the score board");
            if (!anyLevelLoaded()) fail("defeat", "the defeat box shows after its level has gone");
            return;
        }
        for (const auto& [name, message] : kExitTexts) {
            if (text != message) continue;
            ++stats.exits;
            if (!restored) fail("exit", "the exit box shows before the title window is back without Begin");
            if (level(name)) fail("exit", std::string("the exit box shows while ") + name + " is loaded");
            return;
        }
        fail("msgbox", "an unknown message: " + std::string(text));
    }

    static bool finite(const forms::Prop<forms::Single>& p) { return std::isfinite(p.get().value()); }

    // `quiet`: between commands. Inside a handler the score may already hold a hit that the
    // handler's hook has not booked yet.
    void checkState(bool quiet = true) {
        if (violation || ended || !started) return;
        IntroForm* in = intro();
        if (!in) return fail("intro", "the title window is gone while the program runs");

        const std::string& s = in->Score.Caption.get();
        const auto value = plainNumber(s);
        if (!value || *value < 0 || std::fmod(*value, 10.0) != 0 || forms::CStr(*value) != s)
            return fail("score", "the score reads '" + s + "', not a whole multiple of 10");
        if (quiet && s != expectedScore)
            return fail("score",
                        "the score changed from " + expectedScore + " to " + s + " outside a hit or Begin");

        auto* sprites = static_cast<SpritesForm*>(program.Sprites.instance());
        if (sprites && sprites->Visible) return fail("sprites", "the sprite catalogue is visible");

        for (forms::Form* f : rt().loadedForms())
            for (forms::Control* c : f->controls()) {
                if (c->kind() == forms::Control::Kind::Timer) continue;
                auto* v = static_cast<forms::VisibleControl*>(c);
                if (!finite(v->Left) || !finite(v->Top) || !finite(v->Width) || !finite(v->Height))
                    return fail("finite", f->name() + "." + c->name() + " has a position that is not finite");
            }

        for (const char* name : kLevelNames)
            if (LevelForm* lv = level(name)) checkLevel(name, *lv, sprites);
    }

    void checkLevel(const std::string& name, LevelForm& lv, SpritesForm* sprites) {
        const double left = lv.Main.Left.get().value();
        if (std::fmod(left - 3840.0, 120.0) != 0.0)
            return fail("grid", name + ".Main.Left is " + fmt(left) + ", off the grid 3840 + 120k");

        const int pose = lv.Main.Picture.get().Handle();
        const forms::Image* holders[] = {&lv.Stnd_R,   &lv.Stnd_L,   &lv.Tiara1_R,
                                      &lv.Tiara1_L, &lv.Tiara2_R, &lv.Tiara2_L};
        if (pose == 0 || std::none_of(std::begin(holders), std::end(holders),
                                      [&](const forms::Image* h) { return h->Picture.get().Handle() == pose; }))
            return fail("picture", name + ".Main shows a picture of none of its six holders");
        for (const forms::Image* h : holders)
            if (h->Visible) return fail("picture", name + "." + h->name() + " (a picture holder) is shown");
        if (!sprites) return fail("sprites", name + " is loaded but the sprite catalogue is not");
        const forms::Image* sources[] = {&sprites->VessaSndR,     &sprites->VessaSndL,
                                      &sprites->VessaAttack1R, &sprites->VessaAttack1L,
                                      &sprites->VessaAttack2R, &sprites->VessaAttack2L};
        for (std::size_t i = 0; i < std::size(holders); ++i)
            if (!(holders[i]->Picture.get() == sources[i]->Picture.get()))
                return fail("picture",
                            name + "." + holders[i]->name() + " no longer holds its catalogue picture");

        const bool difficult = name == "Game3";
        const int interval = lv.Youma.Interval.get().value();
        if (interval < (difficult ? 72 : 8) || interval > 300)
            return fail("interval",
                        name + ".Youma.Interval is " + std::to_string(interval) + " between ticks");
        if (lv.TiaraLeft.Enabled && lv.TiaraRight.Enabled)
            return fail("tiara", name + " flies its tiara both ways at once");
        if (lv.Exito.Visible && (lv.Youma.Enabled || lv.YoumaL.Visible || lv.YoumaR.Visible))
            return fail("exit", name + " shows its exit while the youma still come");

        const double top = lv.Main.Top.get().value(), tiaraTop = lv.Action.Top.get().value();
        const bool rowsOk = difficult ? (top == 2040 && tiaraTop == 2045) || (top == 1000 && tiaraTop == 1000)
                                      : top == 1920 && tiaraTop == 1920;
        if (!rowsOk)
            return fail("rows",
                        name + " has the heroine at Top " + fmt(top) + " and the tiara at " + fmt(tiaraTop));

        auto falling = [&](const forms::Image& ball, double column) {
            const double t = ball.Top.get().value();
            if (ball.Left.get().value() != column || t < -120 || t > 2640)
                fail("balls", name + "." + ball.name() + " left its track");
        };
        if (name == "Game2") {
            auto& g = static_cast<Game2Form&>(lv);
            falling(g.Ball1, 1560);
            falling(g.Ball2, 3600);
            falling(g.Ball3, 5640);
        } else if (difficult) {
            auto& g = static_cast<Game3Form&>(lv);
            falling(g.Ball1, 480);
            falling(g.Ball2, 3480);
            falling(g.Ball3, 6840);
            const double b6 = g.Ball6.Left.get().value(), b7 = g.Ball7.Left.get().value();
            if (b6 < 0 || b6 > 7200 || b7 <= 1 || b7 > 7080)
                fail("balls", name + "'s sideways balls left their tracks");
        }
    }

    // ---- Running a command, with what the checks need to know of it ----

    void run(const std::string& line) {
        const auto w = words(line);
        if (w.empty()) return;
        if (w[0] == "start") started = true;
        std::optional<Flag> flag;
        if (w[0] == "close" && w.size() == 2 && w[1] == "Intro") flag.emplace(closingIntro);
        const std::int64_t before = rt().now();
        try {
            interpreter.execute(line, static_cast<int>(stats.commands));
        } catch (const ScriptError& e) {
            throw std::logic_error("the harness wrote a line the driver refuses: '" + line + "': " + e.message);
        }
        if (w[0] == "run") stats.virtualMs += rt().now() - before;
        // The test's own change of the score.
        if (w[0] == "set" && w.size() >= 3 && w[1] == "Intro.Score.Caption") expectedScore = score();
    }

    // ---- Random commands ----

    template <class T>
    static const T& pick(std::mt19937_64& rng, const std::vector<T>& v) {
        return v[std::uniform_int_distribution<std::size_t>(0, v.size() - 1)(rng)];
    }
    static int between(std::mt19937_64& rng, int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    }
    static bool chance(std::mt19937_64& rng, double p) { return std::bernoulli_distribution(p)(rng); }

    struct KeyEvent {
        int code = 0;
        int mask = 0;
        int how = 0;  // 0..4 press, 5..7 down, 8..9 up
    };

    // A key for a form; levels get the playing keys, the other forms their dialog keys.
    static KeyEvent randomKey(std::mt19937_64& rng, bool playing) {
        struct Weighted {
            int code;
            int weight;
        };
        static const std::vector<Weighted> play{
            {forms::key::Left, 22},  {forms::key::Right, 22}, {'D', 24},
            {forms::key::Up, 6},     {forms::key::Down, 6},   {forms::key::Enter, 2},
            {forms::key::Escape, 2}, {forms::key::Tab, 2},    {forms::key::Space, 2}};
        static const std::vector<Weighted> dialog{
            {forms::key::Enter, 14}, {forms::key::Escape, 4}, {forms::key::Tab, 14},
            {forms::key::Left, 6},   {forms::key::Right, 6},  {forms::key::Up, 4},
            {forms::key::Down, 4},   {forms::key::Space, 8},  {'D', 4}};
        const auto& table = playing ? play : dialog;
        KeyEvent k;
        const int roll = between(rng, 0, 99);
        if (roll < 8) {
            k.code = between(rng, 0, 0xFFFF);  // any code the desktop can send
            k.mask = between(rng, 0, 7);
        } else if (roll < (playing ? 14 : 40)) {
            // Alt+letter, mostly the access keys of the buttons
            static const std::string letters = "BQAMCBQAMC";
            k.code = chance(rng, 0.7) ? letters[static_cast<std::size_t>(between(rng, 0, 9))]
                                      : between(rng, 'A', 'Z');
            k.mask = forms::key::AltMask | (chance(rng, 0.2) ? between(rng, 0, 3) : 0);
        } else {
            int total = 0;
            for (const auto& w : table) total += w.weight;
            int r = between(rng, 0, total - 1);
            for (const auto& w : table) {
                if (r < w.weight) {
                    k.code = w.code;
                    break;
                }
                r -= w.weight;
            }
            k.mask = chance(rng, 0.15) ? between(rng, 0, 7) : 0;
        }
        k.how = between(rng, 0, 9);
        return k;
    }

    static std::string keyLine(const std::string& form, const KeyEvent& k) {
        std::string line =
            k.how < 5 ? "press " + form + " " : "key " + form + (k.how < 8 ? " down " : " up ");
        line += keyName(k.code);
        if (k.mask) line += " " + std::to_string(k.mask);
        return line;
    }

    // Whether a key at the title window chooses Quit, as the runtime routes dialog keys.
    bool quitsTitle(const KeyEvent& k) const {
        const IntroForm* in = intro();
        if (!in) return false;
        const bool quitFocused = in->focus() == &in->Quit;
        if (k.mask & forms::key::AltMask) return k.code == 'Q' && k.how < 8;
        if (k.code == forms::key::Escape || (k.code == forms::key::Enter && quitFocused)) return k.how < 8;
        if (k.code == forms::key::Enter && !in->focus()) return false;
        return k.code == forms::key::Space && quitFocused && (k.how < 5 || k.how >= 8);
    }

    std::string keyCommand(std::mt19937_64& rng, const std::string& form, bool playing) {
        KeyEvent k = randomKey(rng, playing);
        // Keys that end the game come from the End choice below, so that games last.
        for (int i = 0; i < 20 && form == "Intro" && quitsTitle(k); ++i) k = randomKey(rng, playing);
        return keyLine(form, k);
    }

    // Plays like a player would: back to the ground row, turn to the nearer youma, throw.
    std::string aimCommand(const std::string& name) {
        LevelForm& lv = *level(name);
        if (lv.Main.Top != 2040 && lv.Main.Top != 1920) return "press " + name + " Down";
        const double main = lv.Main.Left.get().value();
        const bool right = lv.YoumaR.Left.get().value() - main < main - lv.YoumaL.Left.get().value();
        const forms::Picture& pose = lv.Main.Picture.get();
        const bool facingRight = pose == lv.Stnd_R.Picture.get() || pose == lv.Tiara1_R.Picture.get() ||
                                 pose == lv.Tiara2_R.Picture.get();
        if (right != facingRight) return "press " + name + (right ? " Right" : " Left");
        return "press " + name + " D";
    }

    // Mostly short steps of the clock while a level is open (long ones end it), and now and then
    // a long virtual run: up to an hour.
    std::string runCommand(std::mt19937_64& rng, bool playing) {
        const int roll = between(rng, 0, 99);
        const int shortRuns = playing ? 75 : 40;
        int ms = 0;
        if (roll < shortRuns) ms = between(rng, 0, playing ? 400 : 100);
        else if (roll < shortRuns + 15) ms = between(rng, 100, 3'000);
        else if (roll < 94) ms = between(rng, 3'000, 60'000);
        else if (roll < 99) ms = between(rng, 60'000, 600'000);
        else ms = between(rng, 600'000, 3'600'000);
        return "run " + std::to_string(ms);
    }

    std::string generate(std::mt19937_64& rng) {
        std::vector<std::string> levels, others, buttons, timers;
        for (forms::Form* f : rt().loadedForms()) {
            (isLevel(f->name()) ? levels : others).push_back(f->name());
            for (forms::Control* c : f->controls()) {
                const std::string path = f->name() + "." + c->name();
                if (c->kind() == forms::Control::Kind::CommandButton) buttons.push_back(path);
                if (c->kind() == forms::Control::Kind::Timer &&
                    (static_cast<forms::Timer*>(c)->Enabled || chance(rng, 0.1)))
                    timers.push_back(path);
            }
        }
        IntroForm* in = intro();
        const bool beginShown = in && in->strt.Visible;
        const bool selecOpen = program.Selec.loaded();
        const bool playing = !levels.empty();

        enum Kind { LevelKey, Aim, Burst, Tick, Run, Click, FormKey, Restore, Begin, Close, SetScore, End };
        std::vector<std::pair<Kind, int>> weights{
            {LevelKey, playing ? 30 : 0},
            {Aim, playing ? 14 : 0},
            {Burst, playing ? 4 : 0},
            {Tick, timers.empty() ? 0 : (beginShown || playing ? 14 : 30)},
            {Run, playing ? 14 : 20},
            {Click, selecOpen ? 25 : 6},
            {FormKey, selecOpen ? 12 : 3},
            {Restore, 3},
            {Begin, beginShown ? (playing || selecOpen ? 3 : 30) : 0},
            {Close, 2},
            {SetScore, 1},
            {End, 0},  // set below: rare
        };
        // A game ends by the player's own choice about once in 600 commands, and soon once
        // nothing but Quit is left: the slide is over, Begin is gone and no window is open.
        const bool onlyQuitLeft = in && !in->strt.Visible && !in->Timer1.Enabled && !selecOpen && !playing;
        if (chance(rng, onlyQuitLeft ? 0.2 : 1.0 / 600)) weights.back().second = 1'000'000;
        int total = 0;
        for (const auto& [k, w] : weights) total += w;
        int r = between(rng, 0, total - 1);
        Kind kind = Run;
        for (const auto& [k, w] : weights) {
            if (r < w) {
                kind = k;
                break;
            }
            r -= w;
        }

        switch (kind) {
        case LevelKey: {
            const std::string lv = pick(rng, levels);
            if (level(lv)->Exito.Visible && chance(rng, 0.5)) return "press " + lv + " Left";  // to the exit
            return keyCommand(rng, lv, true);
        }
        case Aim: return aimCommand(pick(rng, levels));
        case Burst: {
            // Held keys and long walks: the same key many times over, e.g. to the exit.
            const std::string lv = pick(rng, levels);
            const std::string line = chance(rng, 0.6) ? "press " + lv + " Left" : keyCommand(rng, lv, true);
            for (int n = between(rng, 5, 40); n > 1; --n) pending.push_back(line);
            return line;
        }
        case Tick: {
            const int roll = between(rng, 0, 9);
            const int n = roll < 6 ? 1 : roll < 9 ? between(rng, 2, 10) : between(rng, 10, 100);
            return "tick " + pick(rng, timers) + (n > 1 ? " " + std::to_string(n) : "");
        }
        case Run: return runCommand(rng, playing);
        case Click: {
            if (buttons.empty()) return runCommand(rng, playing);
            std::string b = pick(rng, buttons);
            if (b == "Intro.Quit") b = "Intro.strt";  // Quit comes from the End choice
            return "click " + b;
        }
        case FormKey: {
            std::vector<std::string> targets = others;
            if (selecOpen) targets.insert(targets.end(), 3, "Selec");
            const std::string f = chance(rng, 0.05) ? "Sprites" : pick(rng, targets);
            return keyCommand(rng, f, false);
        }
        case Restore: {
            const int roll = between(rng, 0, 9);
            if (roll < 7) return "window Intro normal";
            if (roll < 9) return "window Intro minimized";
            const std::string f = pick(rng, levels.empty() ? others : levels);
            return "window " + f + (chance(rng, 0.5) ? " normal" : " minimized");
        }
        case Begin: {
            const int roll = between(rng, 0, 9);
            if (roll < 6) return "click Intro.strt";
            if (roll < 8 || intro()->focus() != &intro()->strt) return "press Intro B 4";
            return "press Intro Enter";
        }
        case Close: {
            std::vector<std::string> all = levels;
            if (selecOpen) all.push_back("Selec");
            if (all.empty()) all.push_back(chance(rng, 0.5) ? "Game1" : "Selec");  // ignored
            return "close " + pick(rng, all);
        }
        case SetScore: {
            static const std::vector<int> scores{0, 10, 480, 490, 500, 510, 990, 1000, 1500};
            return "set Intro.Score.Caption " + std::to_string(pick(rng, scores));
        }
        case End: {
            static const std::vector<std::string> ways{"click Intro.Quit", "press Intro Escape",
                                                       "key Intro down Escape", "close Intro",
                                                       "press Intro Q 4"};
            return pick(rng, ways);
        }
        }
        return runCommand(rng, playing);
    }
};

Player::Player() : impl_(std::make_unique<Impl>()) {}
Player::~Player() = default;

void Player::execute(const std::string& line) {
    Impl& p = *impl_;
    if (p.violation || p.ended) return;
    p.command = line;
    ++p.stats.commands;
    p.run(line);
    p.checkState();
}

std::string Player::nextCommand(std::mt19937_64& rng) {
    Impl& p = *impl_;
    if (!p.started) return "start";
    if (!p.pending.empty()) {
        std::string line = std::move(p.pending.front());
        p.pending.pop_front();
        return line;
    }
    return p.generate(rng);
}

bool Player::ended() const { return impl_->ended; }
const std::optional<Violation>& Player::violation() const { return impl_->violation; }
std::string Player::trace() const { return impl_->traceText.str(); }
const PlayStats& Player::stats() const { return impl_->stats; }

Replay replay(const std::vector<std::string>& commands) {
    Player player;
    Replay r;
    for (const std::string& c : commands) {
        if (player.ended()) break;
        player.execute(c);
        ++r.commandsRun;
        if (player.violation()) break;
    }
    r.violation = player.violation();
    return r;
}

namespace {

// The number a command can do with less of: the MS of run and the N of tick.
std::optional<std::pair<std::string, long long>> numberOf(const std::string& line) {
    const auto w = words(line);
    if (w.size() == 2 && w[0] == "run") return std::pair{"run ", toNumber(w[1])};
    if (w.size() == 3 && w[0] == "tick") return std::pair{"tick " + w[1] + " ", toNumber(w[2])};
    return std::nullopt;
}

}  // namespace

std::vector<std::string> shrink(std::vector<std::string> commands, const std::string& kind, int maxReplays) {
    int replays = 0;
    auto stillFails = [&](std::vector<std::string>& candidate) {
        if (replays++ >= maxReplays) return false;
        const Replay r = replay(candidate);
        if (!r.violation || r.violation->kind != kind) return false;
        candidate.resize(r.commandsRun);  // what follows the failure is not needed
        return true;
    };
    {
        const Replay r = replay(commands);
        if (r.violation) commands.resize(r.commandsRun);
    }

    // Remove chunks, from halves down to single commands; the first command stays.
    for (std::size_t chunk = std::max<std::size_t>(commands.size() / 2, 1); chunk >= 1;) {
        bool removed = false;
        for (std::size_t at = 1; at < commands.size();) {
            std::vector<std::string> candidate(commands.begin(),
                                               commands.begin() + static_cast<std::ptrdiff_t>(at));
            candidate.insert(
                candidate.end(),
                commands.begin() + static_cast<std::ptrdiff_t>(std::min(at + chunk, commands.size())),
                commands.end());
            if (stillFails(candidate)) {
                commands = std::move(candidate);
                removed = true;
            } else {
                at += chunk;
            }
        }
        if (replays >= maxReplays) break;
        if (!removed) {
            if (chunk == 1) break;
            chunk /= 2;
        }
    }

    // Then smaller numbers: halve the step while it no longer fails.
    for (std::size_t i = 0; i < commands.size() && replays < maxReplays; ++i) {
        const auto num = numberOf(commands[i]);
        if (!num) continue;
        const std::string prefix = num->first;
        long long n = num->second;
        for (long long step = std::max(n / 2, 1LL); step >= 1 && n > 0 && replays < maxReplays;) {
            std::vector<std::string> candidate = commands;
            candidate[i] = prefix + std::to_string(n - step);
            if (stillFails(candidate)) {
                commands = std::move(candidate);
                if (i >= commands.size()) break;
                n -= step;
                step = std::min(step, n);
            } else {
                step /= 2;
            }
        }
    }
    return commands;
}

}  // namespace miravel::reliability

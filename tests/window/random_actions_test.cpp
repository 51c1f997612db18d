// Random sequences of user actions on the real window. After every action the
// window must still agree with itself: the values in use match what the boxes
// and options show, and the result is the formula worked out again here, apart
// from the window's own code. A failing sequence is printed with its seed and
// shrunk to a short repro.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

#include "controls.h"
#include "conversions.h"
#include "error_report.h"
#include "errors.h"
#include "form_main.h"
#include "user_actions.h"

namespace quorvel::test {
namespace {

const char* const kBoxes[] = {"FileSectors", "FileBytes",     "AudioKBPS",
                              "LengthHours", "LengthMinutes", "LengthSeconds"};
const char* const kOptions[] = {"File650",   "File700",  "File651",  "File654",  "File702",
                                "FileOther", "Audio96",  "Audio112", "Audio128", "Audio160",
                                "Audio192",  "Audio224", "Audio256", "Audio320", "AudioOther"};

enum class Kind { TypeOver, TypeAtEnd, TypeInFront, PasteOver, PasteAtEnd, Erase, Choose, Tab };

struct Action {
    Kind kind;
    int target; // a box or an option, by index
    QString text;
    int count; // keys for Erase; 0 means select all first

    std::string describe() const {
        std::ostringstream out;
        const char* names[] = {"type over",    "type at end", "type in front", "paste over",
                               "paste at end", "erase",       "choose",        "tab"};
        out << names[static_cast<int>(kind)] << ' ';
        if (kind == Kind::Choose) {
            out << kOptions[target];
        } else if (kind == Kind::Tab) {
            out << (count ? "backward" : "forward");
        } else {
            out << kBoxes[target];
        }
        if (!text.isNull()) {
            out << " \"" << text.toStdString() << '"';
        }
        if (kind == Kind::Erase) {
            out << (count ? " keys " + std::to_string(count) : " all");
        }
        return out.str();
    }
};

// Texts that favour the edges of what the boxes read.
QString randomText(std::mt19937& random) {
    static const char* const pieces[] = {"",
                                         "-",
                                         "+",
                                         ".",
                                         "e",
                                         "E",
                                         "e-",
                                         "e+",
                                         "1e400",
                                         "9e99",
                                         "1e",
                                         "0",
                                         "00",
                                         "0096",
                                         " ",
                                         "abc",
                                         "x",
                                         "2.9",
                                         "-1",
                                         "99",
                                         "600000",
                                         "524287",
                                         "524288",
                                         "4096",
                                         "4097",
                                         "1500",
                                         "1501",
                                         "59",
                                         "60",
                                         "23",
                                         "24",
                                         "-0",
                                         ".5",
                                         "1e-400",
                                         "&H1",
                                         "1d3",
                                         "9e9",
                                         "332800",
                                         "2048",
                                         "96",
                                         "1.2.3",
                                         "\xC3\xA4",
                                         "\xEF\xBC\x91",
                                         "\xC2\xBD"};
    QString text;
    const int parts = std::uniform_int_distribution<int>(1, 3)(random);
    for (int i = 0; i < parts; ++i) {
        if (std::uniform_int_distribution<int>(0, 3)(random) == 0) {
            const int digits = std::uniform_int_distribution<int>(1, 7)(random);
            for (int d = 0; d < digits; ++d) {
                text += QChar('0' + std::uniform_int_distribution<int>(0, 9)(random));
            }
        } else {
            const auto index =
                std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random);
            text += QString::fromUtf8(pieces[index]);
        }
    }
    return text;
}

Action randomAction(std::mt19937& random) {
    const auto kind = static_cast<Kind>(std::uniform_int_distribution<int>(0, 7)(random));
    Action action{kind, 0, QString(), 0};
    if (kind == Kind::Choose) {
        action.target = std::uniform_int_distribution<int>(0, std::size(kOptions) - 1)(random);
    } else if (kind == Kind::Tab) {
        action.count = std::uniform_int_distribution<int>(0, 1)(random);
    } else {
        action.target = std::uniform_int_distribution<int>(0, std::size(kBoxes) - 1)(random);
        if (kind == Kind::Erase) {
            action.count = std::uniform_int_distribution<int>(0, 3)(random);
        } else {
            action.text = randomText(random);
        }
    }
    return action;
}

class Window {
public:
    Window() {
        form.errorReport().setDialogsShown(false);
        QObject::connect(&form.errorReport(), &ErrorReport::reported,
                         [this](const QString&) { ++reports; });
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    TextBox* textBox(int index) const {
        return qobject_cast<TextBox*>(form.findChild<QWidget*>(QString::fromLatin1(kBoxes[index])));
    }
    OptionButton* optionButton(const char* name) const {
        return qobject_cast<OptionButton*>(form.findChild<QWidget*>(QString::fromLatin1(name)));
    }

    void perform(const Action& action) {
        switch (action.kind) {
        case Kind::TypeOver:
            typeOver(textBox(action.target), action.text);
            break;
        case Kind::TypeAtEnd:
            clickOn(textBox(action.target));
            QTest::keyClick(textBox(action.target), Qt::Key_End);
            type(textBox(action.target), action.text);
            break;
        case Kind::TypeInFront:
            clickOn(textBox(action.target));
            QTest::keyClick(textBox(action.target), Qt::Key_Home);
            type(textBox(action.target), action.text);
            break;
        case Kind::PasteOver:
            pasteOver(textBox(action.target), action.text);
            break;
        case Kind::PasteAtEnd:
            QApplication::clipboard()->setText(action.text);
            clickOn(textBox(action.target));
            QTest::keyClick(textBox(action.target), Qt::Key_End);
            QTest::keyClick(textBox(action.target), Qt::Key_V, Qt::ControlModifier);
            break;
        case Kind::Erase:
            if (action.count == 0) {
                selectAllIn(textBox(action.target));
                QTest::keyClick(textBox(action.target), Qt::Key_Delete);
            } else {
                clickOn(textBox(action.target));
                QTest::keyClick(textBox(action.target), Qt::Key_End);
                for (int i = 0; i < action.count; ++i) {
                    QTest::keyClick(textBox(action.target), Qt::Key_Backspace);
                }
            }
            break;
        case Kind::Choose:
            clickOn(optionButton(kOptions[action.target]));
            break;
        case Kind::Tab:
            if (QWidget* focused = QApplication::focusWidget()) {
                QTest::keyClick(focused, Qt::Key_Tab,
                                action.count ? Qt::ShiftModifier : Qt::NoModifier);
            }
            break;
        }
        settle();
    }

    // What is wrong with the window now, or nothing.
    std::optional<std::string> check() const;

    Form_Main form;
    int reports = 0;
};

double clamp(double value, double largest) {
    return value < 0 ? 0 : std::min(value, largest);
}

std::optional<std::string> Window::check() const {
    const CalcState& s = form.state();
    std::ostringstream problem;
    const auto text = [this](int index) { return textBox(index)->text().toStdString(); };

    const auto selected = [this](const char* frame) -> std::string {
        for (auto* option :
             form.findChild<QWidget*>(QString::fromLatin1(frame))->findChildren<OptionButton*>()) {
            if (option->isChecked()) {
                return option->objectName().toStdString();
            }
        }
        return {};
    };

    // The typed fields against the boxes: a box may still hold a fraction or a
    // leading zero until it is left, so compare the values the texts stand for.
    double typed[3] = {};
    const double largest[3] = {524287, 4096, 1500};
    for (int i = 0; i < 3; ++i) {
        try {
            const double shown = std::trunc(ReadNumber(text(i)));
            typed[i] = clamp(shown, largest[i]);
            if (shown != typed[i]) {
                problem << kBoxes[i] << " shows " << text(i) << ", past its limit; ";
            }
        } catch (const OverflowError&) {
            if (reports == 0) {
                problem << kBoxes[i] << " holds an unreadable number and nothing was reported; ";
            }
            typed[i] = i == 0 ? s.SectorCount : i == 1 ? s.BytesPerSector : s.AudioOtherKbps;
        }
    }
    if (typed[0] != s.SectorCount || typed[1] != s.BytesPerSector || typed[2] != s.AudioOtherKbps) {
        problem << "typed fields " << s.SectorCount << ' ' << s.BytesPerSector << ' '
                << s.AudioOtherKbps << " differ from the boxes; ";
    }

    const std::string size = selected("Frame2");
    const struct {
        const char* name;
        std::int32_t kbits;
    } sizes[] = {{"File650", 5324800},
                 {"File700", 5734400},
                 {"File651", 5339968},
                 {"File654", 5361568},
                 {"File702", 5757552}};
    double fileKbits = std::trunc(s.SectorCount * s.BytesPerSector / 128);
    for (const auto& preset : sizes) {
        if (size == preset.name) {
            fileKbits = preset.kbits;
        }
    }
    if (size.empty() || fileKbits != s.FileKbits) {
        problem << "size option " << size << " but FileKbits " << s.FileKbits << "; ";
    }

    const std::string audio = selected("Frame1");
    double audioKbps = s.AudioOtherKbps;
    if (audio != "AudioOther") {
        audioKbps = audio.empty() ? -1 : std::atoi(audio.c_str() + 5);
    }
    if (audioKbps != s.AudioKbps) {
        problem << "audio option " << audio << " but AudioKbps " << s.AudioKbps << "; ";
    }

    const double parts[3] = {double(s.LengthH), double(s.LengthM), double(s.LengthS)};
    const double partLargest[3] = {23, 59, 59};
    for (int i = 0; i < 3; ++i) {
        const double read = std::trunc(ReadNumber(text(3 + i)));
        const double shown = clamp(read, partLargest[i]);
        if (read != shown) {
            problem << kBoxes[3 + i] << " shows " << text(3 + i) << ", past its limit; ";
        }
        if (shown != parts[i]) {
            problem << kBoxes[3 + i] << " shows " << text(3 + i) << " but holds " << parts[i]
                    << "; ";
        }
    }
    if (s.TotalSeconds != s.LengthH * 3600 + s.LengthM * 60 + s.LengthS || s.TotalSeconds < 1) {
        problem << "TotalSeconds " << s.TotalSeconds << "; ";
    }

    const double video =
        std::trunc(fileKbits / (parts[0] * 3600 + parts[1] * 60 + parts[2]) - audioKbps);
    const QString caption =
        qobject_cast<QLabel*>(form.findChild<QWidget*>(QStringLiteral("VideoBitRate")))->text();
    if (caption != QString::number(static_cast<long long>(video))) {
        problem << "result shows " << caption.toStdString() << " instead of " << video << "; ";
    }
    const std::string found = problem.str();
    return found.empty() ? std::nullopt : std::optional<std::string>(found);
}

// Replays `actions` on a fresh window; returns the first problem and after which action.
std::optional<std::string> replay(const std::vector<Action>& actions, std::size_t* failedAt) {
    Window window;
    if (auto problem = window.check()) {
        *failedAt = 0;
        return problem;
    }
    for (std::size_t i = 0; i < actions.size(); ++i) {
        window.perform(actions[i]);
        if (auto problem = window.check()) {
            *failedAt = i + 1;
            return problem;
        }
    }
    return std::nullopt;
}

// Drops actions one at a time while the sequence still fails.
std::vector<Action> shrink(std::vector<Action> actions) {
    bool shrunk = true;
    while (shrunk) {
        shrunk = false;
        for (std::size_t i = 0; i < actions.size(); ++i) {
            std::vector<Action> shorter = actions;
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(i));
            std::size_t at = 0;
            if (replay(shorter, &at)) {
                shorter.resize(at);
                actions = shorter;
                shrunk = true;
                break;
            }
        }
    }
    return actions;
}

int fromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

TEST(RandomActions, TheWindowAgreesWithItselfAfterEveryAction) {
    const int sequences = fromEnvironment("QUORVEL_RANDOM_SEQUENCES", 1000);
    const int length = fromEnvironment("QUORVEL_RANDOM_ACTIONS", 40);
    const auto firstSeed = static_cast<std::uint32_t>(fromEnvironment("QUORVEL_RANDOM_SEED", 1));
    int actionsRun = 0;
    for (int n = 0; n < sequences; ++n) {
        const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(n);
        std::mt19937 random(seed);
        std::vector<Action> actions;
        for (int i = 0; i < length; ++i) {
            actions.push_back(randomAction(random));
        }
        std::size_t failedAt = 0;
        const auto problem = replay(actions, &failedAt);
        if (problem) {
            actions.resize(failedAt);
            const std::vector<Action> repro = shrink(actions);
            std::ostringstream steps;
            for (const Action& action : repro) {
                steps << "\n  " << action.describe();
            }
            std::size_t at = 0;
            FAIL() << "seed " << seed << " failed after action " << failedAt << ": " << *problem
                   << "\nshortest repro (" << repro.size() << " actions):" << steps.str()
                   << "\nwhich shows: " << replay(repro, &at).value_or("nothing");
        }
        actionsRun += length;
    }
    RecordProperty("actions", actionsRun);
    std::printf("%d sequences, %d actions, no failure\n", sequences, actionsRun);
}

} // namespace
} // namespace quorvel::test

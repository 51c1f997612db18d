#pragma once

#include <memory>
#include <optional>

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include "controls.h"
#include "error_report.h"
#include "form_main.h"

namespace quorvel::test {

// The installed faces of the widths the layout was drawn in: Windows' own, or
// the Liberation faces made to their widths.
struct DesignWidthFaces {
    QString sans;
    QString serif;
};

// Those faces where both kinds are installed. A run meant to go without them
// (QUORVEL_TEST_WITHOUT_DESIGN_FACES set) fails where they are there.
inline std::optional<DesignWidthFaces> installedDesignWidthFaces() {
    const QStringList families = QFontDatabase::families();
    const auto first = [&families](const char* face, const char* standIn) {
        return families.contains(QLatin1String(face))      ? QString::fromLatin1(face)
               : families.contains(QLatin1String(standIn)) ? QString::fromLatin1(standIn)
                                                           : QString();
    };
    const DesignWidthFaces faces{first("Microsoft Sans Serif", "Liberation Sans"),
                                 first("Times New Roman", "Liberation Serif")};
    const bool installed = !faces.sans.isEmpty() && !faces.serif.isEmpty();
    if (qEnvironmentVariableIsSet("QUORVEL_TEST_WITHOUT_DESIGN_FACES")) {
        EXPECT_FALSE(installed) << "the faces of the layout's widths are installed";
    }
    return installed ? std::optional(faces) : std::nullopt;
}

// The real window, shown and active, with error reports collected instead of shown.
class FormTest : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Form_Main>();
        form->errorReport().setDialogsShown(false);
        QObject::connect(&form->errorReport(), &ErrorReport::reported,
                         [this](const QString& message) { messages << message; });
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    TextBox* textBox(const char* name) const { return child<TextBox>(name); }
    OptionButton* optionButton(const char* name) const { return child<OptionButton>(name); }
    QString shownResult() const { return child<QLabel>("VideoBitRate")->text(); }
    const CalcState& calcState() const { return form->state(); }

    // The name of the option selected in a frame; empty when none is.
    QString selectedIn(const char* frame) const {
        QString selected;
        for (auto* option : child<QGroupBox>(frame)->findChildren<OptionButton*>()) {
            if (option->isChecked()) {
                EXPECT_TRUE(selected.isEmpty()) << "two options selected in " << frame;
                selected = option->objectName();
            }
        }
        return selected;
    }
    QString sizeOption() const { return selectedIn("Frame2"); }
    QString audioOption() const { return selectedIn("Frame1"); }

    template <typename Control> Control* child(const char* name) const {
        auto* control =
            qobject_cast<Control*>(form->findChild<QWidget*>(QString::fromLatin1(name)));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    std::unique_ptr<Form_Main> form;
    QStringList messages;
};

} // namespace quorvel::test

#include "TApplication.h"

#include "FileNameText.h"
#include "ModalCursor.h"
#include "ModalHooks.h"
#include "TWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImageReader>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using ButtonList = std::vector<std::pair<int, QAbstractButton*>>;

std::vector<std::pair<int, QMessageBox::StandardButton>> ButtonsOf(unsigned flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, QMessageBox::Ok}, {IDCANCEL, QMessageBox::Cancel}};
    case MB_YESNOCANCEL:
        return {
            {IDYES, QMessageBox::Yes}, {IDNO, QMessageBox::No}, {IDCANCEL, QMessageBox::Cancel}};
    case MB_YESNO:
        return {{IDYES, QMessageBox::Yes}, {IDNO, QMessageBox::No}};
    default:
        return {{IDOK, QMessageBox::Ok}};
    }
}

QMessageBox::Icon IconOf(unsigned flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

/** The answer when the box was closed without a button (Escape or the close box). */
int ClosedAnswer(unsigned flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    default:
        return IDOK;
    }
}

QWidget* OwnerWidget(TWindow* owner) {
    if (QWidget* w = owner ? owner->GetWidget() : nullptr)
        return w;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

/** Fills the box; returns its buttons with their ids, in order. */
ButtonList Configure(QMessageBox& box, const char* text, const char* caption, unsigned flags) {
    // The program's own texts are plain ASCII; the file names in them are the system's.
    QString body = FileNameText::Decode(text ? text : "");
    body.remove(QLatin1Char('\r'));
    box.setTextFormat(Qt::PlainText);
    box.setText(body);
    box.setWindowTitle(caption ? FileNameText::Decode(caption) : QStringLiteral("Error"));
    box.setIcon(IconOf(flags));
    ButtonList buttons;
    for (const auto& [id, standard] : ButtonsOf(flags))
        buttons.emplace_back(id, box.addButton(standard));
    const std::size_t defIndex = (flags & MB_DEFMASK) >> 8;
    if (auto* def =
            qobject_cast<QPushButton*>(buttons[defIndex < buttons.size() ? defIndex : 0].second))
        box.setDefaultButton(def);
    for (const auto& [id, button] : buttons)
        if (id == IDCANCEL)
            box.setEscapeButton(button);
    return buttons;
}

/**
 * A test hook for checking an installed program from a script, which has no other way to tell
 * what the program did: with KURVASK_TEST_PRINT_CAPTION set, the program prints the caption of
 * its main window on standard output as soon as the message loop runs, then quits; a message
 * box shown before that is written to the terminal and closed instead of waiting for a person.
 */
bool PrintCaptionAndQuit() {
    const char* value = std::getenv("KURVASK_TEST_PRINT_CAPTION");
    return value && *value;
}

int AnswerOf(const QMessageBox& box, const ButtonList& buttons, unsigned flags) {
    for (const auto& [id, button] : buttons)
        if (button == box.clickedButton())
            return id;
    return ClosedAnswer(flags);
}

int HookedAnswer(ModalHooks& hooks, QMessageBox& box, const ButtonList& buttons, unsigned flags) {
    ModalHooks::MessageBoxRecord record;
    record.Text = box.text().toStdString();
    record.Caption = box.windowTitle().toStdString();
    record.Flags = flags;
    record.WaitCursor = ModalCursor::WaitShown();
    for (const auto& [id, button] : buttons)
        record.Buttons.push_back(id);
    const std::optional<int> answer = hooks.TakeAnswer();
    if (!answer) {
        record.Unexpected = true;
        record.Answer = IDCANCEL;
        hooks.Fail("message box \"" + record.Text + "\" was shown with no answer queued");
    } else {
        record.Answer = *answer;
        QAbstractButton* button = nullptr;
        for (const auto& [id, b] : buttons)
            if (id == *answer)
                button = b;
        if (button) {
            // Clicked as a person would, so the answer comes out the way it does on screen.
            button->click();
            record.Answer = AnswerOf(box, buttons, flags);
        } else {
            hooks.Fail("message box \"" + record.Text + "\" has no button for answer " +
                       std::to_string(*answer));
        }
    }
    const int result = record.Answer;
    hooks.RecordMessageBox(std::move(record));
    return result;
}

} // namespace

int TApplication::MessageBox(TWindow* owner, const char* text, const char* caption,
                             unsigned flags) {
    const ModalCursor arrow;
    QMessageBox box(OwnerWidget(owner));
    const ButtonList buttons = Configure(box, text, caption, flags);
    if (ModalHooks* hooks = ModalHooks::Active())
        return HookedAnswer(*hooks, box, buttons, flags);
    if (PrintCaptionAndQuit()) {
        std::cerr << "message box: " << box.text().toStdString() << std::endl;
        return ClosedAnswer(flags);
    }
    box.exec();
    return AnswerOf(box, buttons, flags);
}

TApplication::TApplication(int& argc, char** argv)
    : App(std::make_unique<QApplication>(argc, argv)) {
    QApplication::setApplicationName("Kurvask");
    // The first picture Qt reads itself (the tool bar's extension arrow) loads every image
    // format plugin installed, and the first text measured loads the system's font
    // configuration, which takes longer than anything else at start-up. Both are loaded on a
    // second thread while the splash shows and the map is read, so the window's bars find them
    // ready: the plugins first, as the tool bar is built before the bars that show text.
    WarmUp = std::thread([font = QApplication::font()] {
        (void)QImageReader::supportedImageFormats();
        (void)QFontMetrics(font).height();
    });
}

TApplication::~TApplication() {
    if (WarmUp.joinable())
        WarmUp.join();
}

int TApplication::Run() {
    if (PrintCaptionAndQuit())
        QTimer::singleShot(0, App.get(), [] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* frame = qobject_cast<QMainWindow*>(window); frame && frame->isVisible())
                    std::cout << frame->windowTitle().toStdString() << std::endl;
            QApplication::quit();
        });
    return QApplication::exec();
}

bool TApplication::DisplayAvailable() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

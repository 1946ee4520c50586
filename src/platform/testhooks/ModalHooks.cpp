#include "ModalHooks.h"

namespace {

ModalHooks* Current = nullptr;

} // namespace

ModalHooks::ModalHooks() : Previous(Current) {
    Current = this;
}

ModalHooks::~ModalHooks() {
    // Hooks end in the reverse order of their making; one ending out of turn leaves the
    // newer ones in force.
    if (Current == this)
        Current = Previous;
}

ModalHooks* ModalHooks::Active() {
    return Current;
}

void ModalHooks::AnswerMessageBox(int answer) {
    Answers.push_back(answer);
}

void ModalHooks::AnswerFileDialog(std::string path) {
    FileAnswers.emplace_back(std::move(path));
}

void ModalHooks::CancelFileDialog() {
    FileAnswers.emplace_back(std::nullopt);
}

std::optional<std::optional<std::string>> ModalHooks::TakeFileAnswer() {
    if (FileAnswers.empty())
        return std::nullopt;
    std::optional<std::string> answer = std::move(FileAnswers.front());
    FileAnswers.pop_front();
    return answer;
}

void ModalHooks::DriveDialog(Driver driver) {
    Drivers.push_back({0, std::move(driver)});
}

void ModalHooks::DriveDialog(TResId templateId, Driver driver) {
    Drivers.push_back({int(templateId), std::move(driver)});
}

std::optional<int> ModalHooks::TakeAnswer() {
    if (Answers.empty())
        return std::nullopt;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
}

ModalHooks::Driver ModalHooks::TakeDriver(TResId templateId) {
    const std::string dialog = "dialog " + std::to_string(int(templateId));
    if (Drivers.empty()) {
        Fail(dialog + " was executed with no driver queued");
        return {};
    }
    if (Drivers.front().TemplateId != 0 && Drivers.front().TemplateId != int(templateId)) {
        // The queued driver is left for the dialog it was meant for.
        Fail(dialog + " was executed where dialog " + std::to_string(Drivers.front().TemplateId) +
             " was expected");
        return {};
    }
    Driver driver = std::move(Drivers.front().Run);
    Drivers.pop_front();
    if (!driver)
        Fail(dialog + " was given an empty driver");
    return driver;
}

bool ModalHooks::Clean() const {
    return FailureList.empty() && Answers.empty() && Drivers.empty() && FileAnswers.empty();
}

std::string ModalHooks::Report() const {
    std::string out;
    for (const std::string& f : FailureList)
        out += f + "\n";
    if (!Answers.empty())
        out += std::to_string(Answers.size()) + " queued message box answer(s) not used\n";
    if (!FileAnswers.empty())
        out += std::to_string(FileAnswers.size()) + " queued file dialog answer(s) not used\n";
    if (!Drivers.empty())
        out += std::to_string(Drivers.size()) + " queued dialog driver(s) not used\n";
    return out;
}

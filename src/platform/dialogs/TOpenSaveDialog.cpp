#include "TOpenSaveDialog.h"

#include "DialogConstants.h"
#include "ModalCursor.h"
#include "ModalHooks.h"
#include "TWindow.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

std::string Trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

QString DecodeName(const std::string& name) {
    return QFile::decodeName(QByteArray(name.data(), qsizetype(name.size())));
}

} // namespace

std::string TOpenSaveDialog::FilterForDialog(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = filter.find('|', start);
        parts.push_back(Trimmed(filter.substr(start, bar - start)));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    // Each description names its patterns already, as "KVK Unit Files (*.kvk)"; one that does
    // not gets them added, so the dialog shows and applies the same patterns.
    std::string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            continue;
        std::string entry = parts[i];
        if (entry.find('(') == std::string::npos)
            entry += " (" + parts[i + 1] + ")";
        out += (out.empty() ? "" : ";;") + entry;
    }
    return out;
}

std::string TOpenSaveDialog::WithDefaultExtension(const std::string& fileName,
                                                  const std::string& extension) {
    const std::size_t slash = fileName.rfind('/');
    const std::string last = fileName.substr(slash == std::string::npos ? 0 : slash + 1);
    if (extension.empty() || last.empty() || last.find('.') != std::string::npos)
        return fileName;
    return fileName + "." + extension;
}

int TOpenSaveDialog::Execute() {
    const ModalCursor arrow;
    if (ModalHooks::Active())
        return RunScripted();

    QWidget* owner = Parent ? Parent->GetWidget() : nullptr;
    QFileDialog dialog(owner ? owner : QApplication::activeWindow());
    dialog.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A name that does not exist may be chosen for opening too; the caller says what then.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromStdString(FilterForDialog(Data.Filter)));
    dialog.setDefaultSuffix(QString::fromStdString(Data.DefExt));
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     !(Data.Flags & TOpenSaveData::OverwritePrompt));
    if (!Data.FileName.empty()) {
        const QFileInfo current(DecodeName(Data.FileName));
        dialog.setDirectory(current.absolutePath());
        dialog.selectFile(current.fileName());
    } else if (!Data.InitialDir.empty()) {
        dialog.setDirectory(DecodeName(Data.InitialDir));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    const QByteArray chosen = QFile::encodeName(dialog.selectedFiles().front());
    Data.FileName = WithDefaultExtension(
        std::string(chosen.constData(), std::size_t(chosen.size())), Data.DefExt);
    return IDOK;
}

int TOpenSaveDialog::RunScripted() {
    ModalHooks& hooks = *ModalHooks::Active();
    ModalHooks::FileDialogRecord record;
    record.Save = Save;
    record.InitialName = Data.FileName;
    record.Filter = FilterForDialog(Data.Filter);
    record.DefaultExtension = Data.DefExt;
    record.WaitCursor = ModalCursor::WaitShown();
    const std::optional<std::optional<std::string>> answer = hooks.TakeFileAnswer();
    int result = IDCANCEL;
    if (!answer) {
        record.Unexpected = true;
        hooks.Fail(std::string(Save ? "a save" : "an open") +
                   " file dialog was shown with no answer queued");
    } else if (*answer) {
        Data.FileName = WithDefaultExtension(**answer, Data.DefExt);
        record.Chosen = Data.FileName;
        result = IDOK;
    }
    hooks.RecordFileDialog(std::move(record));
    return result;
}

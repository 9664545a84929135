#include "shared_files.h"

#include "common/kept_defaults.h"
#include "common/qt/desktop.h"

#include <QString>
#include <filesystem>

namespace common {
namespace {

QString lockName(const std::string& program) {
    return "." + QString::fromStdString(program).toLower() + ".lock";
}

} // namespace

SharedFiles::SharedFiles(const std::string& folder, const std::string& program)
    : lock_(QString::fromStdString(folder), lockName(program)), folder_(folder), program_(program) {
}

void SharedFiles::askAtStart(QWidget* parent) {
    if (lock_.state() != FolderLock::State::HeldElsewhere) return;
    writes_ = desktop().askYesNo(
        parent,
        QString::fromStdString(program_ + " is already running in " + folder_ + " (process " +
                               std::to_string(lock_.holder()) +
                               "). Should this copy also save its settings and results "
                               "there, over those of the other? With No it saves none."),
        QString::fromStdString(program_));
}

TextFile SharedFiles::readDefaults(QWidget* parent, const std::string& path) {
    TextFile file = ReadTextFile(path);
    if (file.state != FileState::Unreadable) return file;
    unreadDefaults_ = std::filesystem::path(path).filename().string();
    desktop().message(parent, QString::fromStdString(KeptDefaultsMessage(file, program_)));
    return file;
}

bool SharedFiles::mayWriteDefaults(QWidget* parent) {
    if (!writes_) return false;
    if (unreadDefaults_.empty()) return true;
    const bool replace = desktop().askYesNo(
        parent, QString::fromStdString(ReplaceUnreadDefaultsQuestion(unreadDefaults_, program_)),
        QString::fromStdString(program_));
    if (replace) unreadDefaults_.clear();
    return replace;
}

void SharedFiles::release() {
    lock_.release();
    writes_ = false;
}

} // namespace common

#include "engine_library.h"

#include "common/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace common {

EngineLibrary::EngineLibrary(QString fileName, QString folder)
    : fileName_(std::move(fileName)),
      folder_(folder.isEmpty() ? QString::fromStdString(ProgramFolder()) : std::move(folder)) {}

Result<> EngineLibrary::load() {
    const QString beside = QDir(folder_).filePath(fileName_);
    QString reason;
    if (QFileInfo::exists(beside)) {
        library_.setFileName(beside);
        if (library_.load()) return {};
        reason = library_.errorString();
    }
    library_.setFileName(fileName_); // the system's search path
    if (library_.load()) return {};
    if (reason.isEmpty()) reason = library_.errorString();
    return Result<>::Failure("The engine library " + fileName_.toStdString() +
                             " could not be loaded. It was looked for in " +
                             QDir::toNativeSeparators(folder_).toStdString() +
                             " and on the system's library path (" + reason.toStdString() + ").");
}

Result<> EngineLibrary::bind(const std::vector<std::string>& entryPoints) {
    if (tried_) return bound_ ? Result<>() : Result<>::Failure(failure_);
    tried_ = true;
    Result<> loaded = load();
    if (!loaded) {
        failure_ = loaded.message();
        return loaded;
    }
    for (const std::string& name : entryPoints) {
        QFunctionPointer f = library_.resolve(name.c_str());
        if (!f) {
            entries_.clear();
            failure_ = "The engine library " +
                       QDir::toNativeSeparators(library_.fileName()).toStdString() +
                       " has no entry point " + name + ". It may be an older version.";
            return Result<>::Failure(failure_);
        }
        entries_[name] = f;
    }
    bound_ = true;
    return {};
}

} // namespace common

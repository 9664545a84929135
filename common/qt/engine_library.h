#pragma once
// An engine library bound by name at its first use: looked for in the program's folder,
// then on the system's library search path, kept loaded until the program ends, its
// entry points resolved by name. A library or entry point that cannot be found gives a
// message naming the file and where it was looked for, so the program can say so and
// carry on without the engine.
#include "common/result.h"

#include <QLibrary>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace common {

class EngineLibrary {
public:
    // `fileName` as it lies in the folder ("libyoruk.so"); `folder` is where the
    // program's own copy lives, the program's folder unless a test names another.
    explicit EngineLibrary(QString fileName, QString folder = {});

    // Loads the library once and resolves each entry point; nothing is bound unless
    // all of them are there. Later calls return the first outcome.
    Result<> bind(const std::vector<std::string>& entryPoints);
    bool bound() const { return bound_; }

    // An entry point resolved by bind(), as the function type its header declares.
    template <typename Function> Function* entry(const char* name) const {
        auto found = entries_.find(name);
        return found == entries_.end() ? nullptr : reinterpret_cast<Function*>(found->second);
    }

    // Where the library was loaded from, once bound.
    QString path() const { return library_.fileName(); }

private:
    Result<> load();

    QString fileName_;
    QString folder_;
    QLibrary library_;
    bool tried_ = false;
    bool bound_ = false;
    std::string failure_;
    std::map<std::string, QFunctionPointer> entries_;
};

} // namespace common

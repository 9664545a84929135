#include "engine_binding.h"

#include "common/qt/engine_library.h"

#include <memory>
#include <type_traits>

namespace brisco {

EngineSource LibraryEngine(const std::string& folder) {
    auto library =
        std::make_shared<common::EngineLibrary>("libvexlocore.so", QString::fromStdString(folder));
    return [library]() -> common::Result<TerrainEngine> {
        if (common::Result<> bound = library->bind({"VexloCore1"}); !bound)
            return common::Result<TerrainEngine>::Failure(bound.message());
        return EngineFromEntry(
            library->entry<std::remove_pointer_t<VexloCore1Function>>("VexloCore1"));
    };
}

} // namespace brisco

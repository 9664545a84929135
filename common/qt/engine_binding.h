#pragma once
// A program's engine routines, bound from the engine library at the first call and kept.
// The routine table is the program core's own plain C++ struct, so the core calls the
// engine without Qt; it names its library and lists its entry points:
//
//   struct Routines {
//       static constexpr const char* FileName = "libengine.so";
//       engine_ROUTINE* ROUTINE = nullptr;
//       template <typename Visit> void forEachEntry(Visit visit) { visit("ROUTINE", ROUTINE); }
//   };
//
// The window and the command-line companion both bind it with BindEngine, so a missing
// library or an older one without a routine is the same message in both.
#include "common/bound_engine.h"
#include "common/qt/engine_library.h"

#include <QString>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace common {

// The routines, or the message naming the library and the places looked in; every call
// after the first gives the first outcome. `folder`: where the program's own copy lies, the
// program's folder unless named.
template <typename Routines> BoundEngine<Routines> BindEngine(QString folder = {}) {
    struct Binding {
        explicit Binding(QString folder) : library(Routines::FileName, std::move(folder)) {}
        EngineLibrary library;
        Routines routines;
    };
    auto binding = std::make_shared<Binding>(std::move(folder));
    return [binding]() -> Result<Routines> {
        const bool first = !binding->library.bound();
        std::vector<std::string> names;
        binding->routines.forEachEntry([&](const char* name, auto&) { names.push_back(name); });
        if (Result<> bound = binding->library.bind(names); !bound)
            return Result<Routines>::Failure(bound.message());
        if (first)
            binding->routines.forEachEntry([&](const char* name, auto& entry) {
                using Function = std::remove_pointer_t<std::remove_reference_t<decltype(entry)>>;
                entry = binding->library.template entry<Function>(name);
            });
        return binding->routines;
    };
}

} // namespace common

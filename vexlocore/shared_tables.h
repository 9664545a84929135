#pragma once
// Tables that hang on a size alone (an FFT's twiddles, a transform's sines), made once per
// thread and size and shared by every object of that size: a march builds its transforms
// afresh each time its grid grows, and the marches over the terrain and over the plane grow
// alike.
#include <map>
#include <memory>

namespace vexlo {

// The tables of type T for this size, made by make(size) the first time.
template <typename T, typename Make> std::shared_ptr<const T> sharedTables(int size, Make make) {
    thread_local std::map<int, std::shared_ptr<const T>> made;
    auto& tables = made[size];
    if (!tables) tables = std::make_shared<const T>(make(size));
    return tables;
}

} // namespace vexlo

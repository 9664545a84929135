#pragma once
// Outcome of one engine routine. The exported routines return nothing, so the
// library keeps the last outcome for the caller to ask after.

#include <cstdint>

namespace yoruk {

enum class StatusCode : int16_t {
    Ok = 0,
    FileNotFound = 1,
    KlmFile = 2,
    Malformed = 3,
    NumericalTrouble = 4,
    InvalidArgument = 5,
};

struct Status {
    StatusCode code = StatusCode::Ok;
    int32_t line = 0;        // file line of a malformed antenna file, 1-based
    const char* reason = ""; // static text: what is wrong

    bool ok() const { return code == StatusCode::Ok; }
};

inline constexpr const char* KlmMessage = "Sorry, I don't do KLM antennas yet.";

inline Status Trouble(const char* reason) { return {StatusCode::NumericalTrouble, 0, reason}; }

} // namespace yoruk

/* The C interface of the Yagi engine library, libyoruk.so.
 *
 * Every argument is passed by reference. Integers are 16-bit except the rear-lobe
 * index (32-bit); reals are single precision; lengths are inches, frequencies MHz,
 * heights feet. Tables are column-major with the element index running fastest:
 * element tables [50], section tables [50 x 10], the geometry matrix [50 x 50],
 * patterns [180] (index i is (i) degrees from forward, 0-based here). Element,
 * section and pattern indices returned as values (DrivenElement, TakeoffIndex,
 * RearLobeIndex) count from 1. Each text is a blank-padded buffer followed by its
 * length; a length shorter than the stated width limits what is read or written,
 * and a path may be longer than 80 characters (up to 4096) when its length says so.
 *
 * One analysis: EFFLEN4 once, then SETMAT, YAGI3, FLDFAC2 for each frequency. The
 * engine keeps the solution between those calls and is not reentrant. After any
 * routine, YSTATUS tells how the last call went. */
#ifndef YORUK_ABI_H
#define YORUK_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define YORUK_MAX_ELEMENTS 50
#define YORUK_MAX_SECTIONS 10
#define YORUK_PATTERN_POINTS 180
#define YORUK_PATH_WIDTH 80
#define YORUK_TITLE_WIDTH 50
#define YORUK_FIELD_WIDTH 10
#define YORUK_UNIT_WIDTH 3
#define YORUK_MESSAGE_WIDTH 80

/* YSTATUS codes. */
#define YORUK_OK 0
#define YORUK_FILE_NOT_FOUND 1
#define YORUK_KLM_FILE 2          /* message: "Sorry, I don't do KLM antennas yet." */
#define YORUK_MALFORMED 3         /* line: the offending line of the antenna file */
#define YORUK_NUMERICAL_TROUBLE 4 /* outputs may be non-finite */
#define YORUK_INVALID_ARGUMENT 5  /* element count or driven element out of range; nothing done */

#if defined(__GNUC__)
#define YORUK_EXPORT __attribute__((visibility("default")))
#else
#define YORUK_EXPORT
#endif

/* Reads an antenna file into the record; the first 80 characters of the path are
 * upper-cased once it is opened. A path that is not a regular file (a folder, a
 * device, a pipe) is refused at once as YORUK_FILE_NOT_FOUND. */
typedef void yoruk_GETDTA4(char* path, int32_t* pathLength, char* title, int32_t* titleLength,
                           int16_t* elementCount, int16_t* drivenElement, int16_t* sectionCount,
                           float* sectionLength, float* sectionDiameter, float* spacing,
                           float* freqLow, float* freqHigh);
/* One number with a unit suffix (upper-cased in place), in inches. */
typedef void yoruk_NUMPARSE(char* field, int32_t* fieldLength, float* value, float* designFrequency,
                            char* unitCode, int32_t* unitCodeLength);
/* One character to upper case. */
typedef void yoruk_UCASE(char* out, int32_t* outLength, char* in, int32_t* inLength);
/* Uniform equivalent of each tapered element. */
typedef void yoruk_EFFLEN4(int16_t* elementCount, float* sectionLength, float* sectionDiameter,
                           float* equivalentHalfLength, float* equivalentDiameter,
                           int16_t* sectionCount);
/* Geometry in wavelengths and the excitation for one frequency. */
typedef void yoruk_SETMAT(float* frequency, int16_t* drivenElement, int16_t* elementCount,
                          float* equivalentHalfLength, float* equivalentDiameter, float* spacing,
                          float* geometryMatrix, float* halfLengthWl);
/* Impedance matrix and current solution. */
typedef void yoruk_YAGI3(int16_t* elementCount, float* geometryMatrix, float* halfLengthWl);
/* Feed impedance, gain, F/B, F/R and patterns; RearLobeIndex is left unchanged
 * when no rear lobe qualifies (FrontToRear then reads 1000). */
typedef void yoruk_FLDFAC2(int16_t* elementCount, float* geometryMatrix, float* halfLengthWl,
                           int16_t* drivenElement, float* frequency, float* azimuthPattern,
                           float* elevationPattern, float* gain, float* frontToBack,
                           float* feedResistance, float* feedReactance, float* height,
                           int16_t* takeoffIndex, float* frontToRear, int32_t* rearLobeIndex);
/* How the last call of any routine above went: a code, the file line for
 * YORUK_MALFORMED (else 0), and a message (blank-padded, up to 80 characters). */
typedef void yoruk_YSTATUS(int16_t* code, int32_t* line, char* message, int32_t* messageLength);

YORUK_EXPORT extern yoruk_GETDTA4 GETDTA4;
YORUK_EXPORT extern yoruk_NUMPARSE NUMPARSE;
YORUK_EXPORT extern yoruk_UCASE UCASE;
YORUK_EXPORT extern yoruk_EFFLEN4 EFFLEN4;
YORUK_EXPORT extern yoruk_SETMAT SETMAT;
YORUK_EXPORT extern yoruk_YAGI3 YAGI3;
YORUK_EXPORT extern yoruk_FLDFAC2 FLDFAC2;
YORUK_EXPORT extern yoruk_YSTATUS YSTATUS;

#ifdef __cplusplus
}
#endif

#endif

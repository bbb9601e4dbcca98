#pragma once

namespace core {

// Messages, UTF-8.
inline constexpr const char* kNotFound = "δε βρέθηκε";  // a least-time search did not converge
inline constexpr const char* kNaiThe = "Nai the";       // a continued ray that rises

// Half the angular spacing of a continuation's first neighbours, in degrees.
inline constexpr double kFirstSpacing = 0.1;
// Below this incidence (radians) a ratio that keeps failing is put down to
// near-normal incidence and the ray is continued undeviated.
inline constexpr double kNearNormal = 0.001;
// Time after the latest arrival that the bundle's first wavelets show, and at
// which the bundle continuation's second generation starts to grow.
inline constexpr double kFirstWaveletMargin = 0.7;

}  // namespace core

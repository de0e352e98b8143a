// The About page's link targets and the banner's tooltip; no language file changes them.
#pragma once

namespace about {

inline constexpr const char* kMailAddress = "team@example.org";
inline constexpr const char* kWebAddress = "https://loopsmith.example.org/";
inline constexpr const char* kBannerToolTip =
    "Loopsmith: точные задержки для PIC — loopsmith.example.org";

}  // namespace about

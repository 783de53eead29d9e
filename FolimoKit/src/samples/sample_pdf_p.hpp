#pragma once

#include "folimo/sample_pdf.hpp"

#include <array>
#include <optional>
#include <string_view>

namespace folimo {

// Every pack, in the order they are offered.
inline constexpr std::array<SamplePDF, 3> allSamplePDFs = {SamplePDF::fallMath, SamplePDF::planner,
                                                           SamplePDF::spelling};

// The pack title, which is also its raw value: "Fall Math Practice", "Weekly Teacher
// Planner", "Spelling Word Work".
std::string_view rawValue(SamplePDF pack);
// The pack whose title this is exactly; nothing for any other text (the case name
// "fallMath" included).
std::optional<SamplePDF> samplePDFFromRawValue(std::string_view text);

} // namespace folimo

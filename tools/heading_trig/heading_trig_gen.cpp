// Writes game/heading_trig.cpp: the correctly rounded cos and sin of every
// heading a fly can take, as exact hex-float literals.
//   nmnm-heading-trig-gen > game/heading_trig.cpp
#include <cstdio>

#include "game/heading_trig.h"
#include "tools/heading_trig/trig_reference.h"

int main() {
    std::printf(
        "// Written by tools/heading_trig (nmnm-heading-trig-gen); do not edit by hand.\n"
        "#include \"game/heading_trig.h\"\n"
        "\n"
        "#include <cmath>\n"
        "\n"
        "#include \"game/flies.h\"\n"
        "\n"
        "namespace {\n"
        "\n"
        "// cos and sin of heading * kDegreesToRadians for headings %d to %d,\n"
        "// each the double nearest to the true value. clang-format leaves the\n"
        "// table as the generator writes it.\n"
        "// clang-format off\n"
        "constexpr HeadingTrig kTable[kHeadingTrigCount] = {\n",
        kHeadingTrigFirst, kHeadingTrigLast);
    for (int heading = kHeadingTrigFirst; heading <= kHeadingTrigLast; ++heading) {
        const ReferenceTrig r = referenceTrig(heading);
        if (!r.clearOfTies) {
            std::fprintf(stderr, "nmnm-heading-trig-gen: heading %d is too close to a tie to round safely\n", heading);
            return 1;
        }
        std::printf("    {%a, %a},  // %d\n", r.cos, r.sin, heading);
    }
    std::printf(
        "};\n"
        "// clang-format on\n"
        "\n"
        "}  // namespace\n"
        "\n"
        "HeadingTrig headingTrig(int32_t heading) {\n"
        "    if (heading >= kHeadingTrigFirst && heading <= kHeadingTrigLast) return kTable[heading - kHeadingTrigFirst];\n"
        "    // No fly is ever placed with such a heading; keep the plain formula\n"
        "    // rather than read past the table.\n"
        "    const double angle = static_cast<double>(heading) * kDegreesToRadians;\n"
        "    return HeadingTrig{std::cos(angle), std::sin(angle)};\n"
        "}\n");
    return 0;
}

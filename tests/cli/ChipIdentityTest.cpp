// The words velmora-cli has for a chip that is not the selected device, and the
// checklist that points at its own line check.

#include "cli/ChipIdentity.h"

#include <gtest/gtest.h>

namespace velmora::cli {
namespace {

using Kind = ChipIdentity::Kind;

const ChipIdentity kTwoNames {Kind::Named, 0x0427, {"PIC18F452", "MYBOARD452"}, 7, {}};
const ChipIdentity kUnnamed {Kind::UnnamedInFamily, 0x1203, {}, 3, "PIC18F2XXX/4XXX (DS39622)"};
const ChipIdentity kSilent {Kind::Silent, 0xFFFF, {}, 0x1F, {}};

TEST(ChipIdentityWords, RefuseToWriteAnyChipButTheSelectedOne)
{
    EXPECT_EQ(refusalToWrite(kTwoNames, "MYBOARD452"), "");
    EXPECT_EQ(refusalToWrite(kTwoNames, "PIC18F2420"),
              "chip answers as PIC18F452 (0x0427), but PIC18F2420 is selected; use --device PIC18F452 or --no-id-check");
    EXPECT_EQ(refusalToWrite(kUnnamed, "PIC18F452"),
              "chip answers with device ID 0x1203, a PIC18F2XXX/4XXX (DS39622) ID that no device of the database "
              "names, but PIC18F452 is selected; use --no-id-check to go on anyway");
    EXPECT_EQ(refusalToWrite(kSilent, "PIC18F452"),
              "no chip answers, PIC18F452 is selected; nothing was sent beyond the device-ID read");
}

TEST(SilentChipChecklist, PointsAtVelmoraCliWiring)
{
    const std::string jdm = silentChipChecklist(0xFFFF, "COM3");
    EXPECT_NE(jdm.find("(on the JDM it comes from TxD; velmora-cli wiring leaves it off)"), std::string::npos);
    EXPECT_NE(jdm.find("(velmora-cli wiring checks the data path)"), std::string::npos);
}

} // namespace
} // namespace velmora::cli

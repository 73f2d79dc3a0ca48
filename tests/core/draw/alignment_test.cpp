#include "core/draw/alignment.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kivrel {
namespace {

TEST(TextFormatFlags, EveryCodePairGivesOneLineAndItsPlacement) {
  struct Case {
    std::uint8_t h, v;
    std::uint32_t flags;
  };
  const Case cases[] = {
      {haLeft, vaTop, 0x20},     {haLeft, vaCenter, 0x24},     {haLeft, vaBottom, 0x28},
      {haRight, vaTop, 0x22},    {haRight, vaCenter, 0x26},    {haRight, vaBottom, 0x2A},
      {haCenter, vaTop, 0x21},   {haCenter, vaCenter, 0x25},   {haCenter, vaBottom, 0x29},
      // Codes above 2 centre in their direction.
      {3, 3, 0x25},              {3, vaTop, 0x21},             {haRight, 3, 0x26},
      {255, vaBottom, 0x29},     {haLeft, 255, 0x24},          {255, 255, 0x25},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextFormatFlags(c.h, c.v), c.flags) << "h " << int{c.h} << " v " << int{c.v};
  }
}

}  // namespace
}  // namespace kivrel

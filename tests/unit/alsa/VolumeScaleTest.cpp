#include "VolumeScale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using mm::DWORD;
using mm::alsa::ElementVolumeOfRaw;
using mm::alsa::RawOfElementVolume;
using mm::alsa::VolumeRange;
using mm::alsa::WrittenVolumes;

// The mixer component's conversions: nearest integer, exact halves to the even neighbour.
DWORD RawOfPercent(int percent) {
  return static_cast<DWORD>(std::nearbyint(percent * 65535.0 / 100.0));
}

int PercentOfRaw(DWORD raw) {
  return static_cast<int>(std::nearbyint(raw * 100.0 / 65535.0));
}

TEST(VolumeScale, EveryRawValueSurvivesAnElementOfAtLeast65535Steps) {
  for (const VolumeRange range :
       {VolumeRange{0, 65536}, VolumeRange{0, 65535}, VolumeRange{-9999999, 0}}) {
    for (DWORD raw = 0; raw <= 65535; ++raw) {
      ASSERT_EQ(RawOfElementVolume(ElementVolumeOfRaw(raw, range), range), raw)
          << range.minimum << ".." << range.maximum;
    }
  }
}

TEST(VolumeScale, EndsMapToEndsAndOutOfRangeValuesClamp) {
  const VolumeRange range{-64, 31};
  EXPECT_EQ(ElementVolumeOfRaw(0, range), -64);
  EXPECT_EQ(ElementVolumeOfRaw(65535, range), 31);
  EXPECT_EQ(ElementVolumeOfRaw(0xFFFFFFFF, range), 31);
  EXPECT_EQ(RawOfElementVolume(-64, range), 0u);
  EXPECT_EQ(RawOfElementVolume(31, range), 65535u);
  EXPECT_EQ(RawOfElementVolume(40, range), 65535u);
  EXPECT_EQ(RawOfElementVolume(-100, range), 0u);
}

TEST(VolumeScale, ServerVolumesSetInPercentElsewhereReadAsThatPercent) {
  // pactl's "30%" is the server volume 30 * 65536 / 100, cut to an integer.
  const VolumeRange server{0, 65536};
  for (int percent = 0; percent <= 100; ++percent) {
    const long volume = percent * 65536L / 100;
    EXPECT_EQ(PercentOfRaw(RawOfElementVolume(volume, server)), percent);
  }
}

TEST(WrittenVolumes, EveryPercentReadsBackExactlyOnACoarseElement) {
  for (const VolumeRange range : {VolumeRange{0, 31}, VolumeRange{0, 87}, VolumeRange{-6, 0}}) {
    WrittenVolumes written;
    for (int percent = 0; percent <= 100; ++percent) {
      const DWORD raw = RawOfPercent(percent);
      const long step = ElementVolumeOfRaw(raw, range);
      written.Remember(7, 1, raw, step);
      EXPECT_EQ(PercentOfRaw(written.RawOf(7, 1, step, range)), percent)
          << range.minimum << ".." << range.maximum;
    }
  }
}

TEST(WrittenVolumes, AStepMovedElsewhereOrAnotherChannelReadsThroughTheScale) {
  const VolumeRange range{0, 31};
  WrittenVolumes written;
  written.Remember(7, 0, 26214, ElementVolumeOfRaw(26214, range));
  EXPECT_EQ(written.RawOf(7, 0, 20, range), RawOfElementVolume(20, range));
  const long step = ElementVolumeOfRaw(26214, range);
  EXPECT_EQ(written.RawOf(7, 1, step, range), RawOfElementVolume(step, range));
  EXPECT_EQ(written.RawOf(8, 0, step, range), RawOfElementVolume(step, range));
  EXPECT_EQ(written.RawOf(7, 0, step, range), 26214u);
}

}  // namespace

#include "editor/status_text.h"

#include <cstdio>

namespace ksv::editor {

const std::array<StatusPanelInfo, kStatusPanelCount> kStatusPanels = {{
    {60, "宽高"},
    {210, "R： G： B："},
    {120, "坐标：xy"},
    {120, ""},
    {50, "墨隼捕手 2025"},
}};

namespace {

struct NamedColor {
  Color value;
  const char* name;
};

constexpr NamedColor kNamedColors[] = {
    {0x000000, "clBlack"},      {0x000080, "clMaroon"},  {0x008000, "clGreen"}, {0x008080, "clOlive"},
    {0x800000, "clNavy"},       {0x800080, "clPurple"},  {0x808000, "clTeal"},  {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},     {0x0000FF, "clRed"},     {0x00FF00, "clLime"},  {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},       {0xFF00FF, "clFuchsia"}, {0xFFFF00, "clAqua"},  {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"}, {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"}, {0xA4A0A0, "clMedGray"},
};

}  // namespace

std::string ColorName(Color c) {
  for (const NamedColor& named : kNamedColors) {
    if (named.value == c) return named.name;
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "$%08X", static_cast<unsigned>(c));
  return hex;
}

std::string ColorReadout(Color c) {
  return "R：" + std::to_string(RedOf(c)) + " G：" + std::to_string(GreenOf(c)) + " B：" +
         std::to_string(BlueOf(c)) + "  " + ColorName(c);
}

std::string PositionReadout(Point p) {
  return "坐标 x：" + std::to_string(p.x) + " y：" + std::to_string(p.y);
}

std::string SizeReadout(Size s) { return std::to_string(s.width) + "*" + std::to_string(s.height); }

}  // namespace ksv::editor

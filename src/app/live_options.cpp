#include "app/live_options.h"

#include "capture/capture_geometry.h"

namespace ksv {

OutputSettings OutputSettingsOf(const Settings& settings) {
  OutputSettings o;
  o.name_by_time = settings.save.NameASTime;
  o.name_template = settings.save.FNameTemp;
  o.folder = settings.save.SaveDir;
  o.format = settings.save.PicFormatRadioGroup;
  o.jpeg_quality = settings.save.JpgCompTrackBar;
  return o;
}

capture::CaptureOptions CaptureOptionsOf(const Settings& settings) {
  const ConventionalPage& page = settings.conventional;
  capture::CaptureOptions o;
  o.hide_main_window = page.HideMainForm;
  o.delay_ms = page.DelayTime ? capture::DelaySeconds(page.DelayTimeCap) * 1000 : 0;
  o.fixed = {settings.fixed.FixedWidth, settings.fixed.FixedHeight};
  return o;
}

}  // namespace ksv

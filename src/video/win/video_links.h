// How the camera window reaches the rest of the program: it declares what
// it needs of the main window, the application connects the real one, and
// the window registers itself for the main window's menu item.
#pragma once

#include <windows.h>

namespace ksv::video {

// The main window as the camera window sees it.
class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;
  virtual HWND Handle() const = 0;
  // Shows the main window again after the camera window.
  virtual void OpenMainWindow() = 0;
};

// The camera window.
class VideoApi {
 public:
  virtual ~VideoApi() = default;
  virtual HWND Handle() const = 0;
  virtual void ShowVideoModal() = 0;
};

// Process-wide references, null until connected or created; not owned.
struct VideoLinks {
  MainWindowLink* main = nullptr;  // connected by the application
  VideoApi* video = nullptr;       // the camera window, by itself
};

VideoLinks& Links();

}  // namespace ksv::video

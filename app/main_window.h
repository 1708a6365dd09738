// The main window: a thin shell over the session model. It owns its controls, tips, status bar
// and timer, turns messages into the session's events and applies the session's answers.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "layout.h"
#include "screen_geometry.h"
#include "session.h"
#include "settings_files.h"
#include "wide_string.h"
#include "window_object.h"

class MainWindow {
  public:
    // Builds the window and runs its message loop: the loop's exit code, or 0 when start-up
    // stops early.
    int Run(int showCommand);
    // The process-wide messageBoxOpen flag; while it is raised the tick leaves the band alone.
    bool& MessageBoxOpen() { return messageBoxOpen_; }
    int MessageBoxSize() const { return messageBoxSize_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Handle(HWND window, MainWindow& self, UINT message, WPARAM wParam,
                          LPARAM lParam);
    LRESULT OnMessage(HWND main, UINT message, WPARAM wParam, LPARAM lParam);

    HWND Create();
    void Place();
    void OnTimer();
    void OnCommand(int id, int code);
    bool OnSystemCommand(WPARAM command);
    void OnFinishWindow();
    bool OnNotify(NMHDR& notification);
    void OnWindowMoved();
    void SavePosition() const;
    void Undo();
    void Redo();
    void OfferToolchains();
    void EditPresets();
    void KeepStoredValue();

    // One overload of the session's for each event, so that the program carries no variant of
    // them all.
    template <typename SessionEvent> void Feed(const SessionEvent& event) {
        Apply(session_->On(event));
    }
    void Apply(const Effects& effects);
    void Perform(const effect::Write& write);
    void Perform(const effect::Select& select);
    void Perform(const effect::Rebuild& rebuild);
    void Perform(const effect::Show& show);
    void Perform(const effect::SetMarkers& markers);
    void Perform(const effect::AskForValue& ask);
    void Perform(const effect::ReadPresetFile& read);
    void Perform(const effect::OfferToolchains& offer);
    void Perform(const effect::AppendPreset& append);
    void Perform(const effect::Status& status);
    void Perform(const effect::Host& host);
    void Perform(const effect::History& history);
    void Perform(const effect::Beep& beep);

    WindowObject window_;
    DynamicWideString programFolder_;
    DynamicWideString winFbeIniPath_;
    LayoutVariant layout_ = LayoutVariant::Small;
    int messageBoxSize_ = 0;
    bool messageBoxOpen_ = false;
    std::optional<Session> session_;
    int optionCount_ = 0; // the options shown, "No preset used" included
    WinFbeIniReading ini_;
    ScreenPoint start_;        // as read at start-up, compared on close
    ScreenPoint lastRestored_; // where the window last stood while not minimised
    HWND statusBar_ = nullptr;
    HWND tips_ = nullptr;  // made once the window shows
    std::wstring tipText_; // the tip on show, which must outlive the tip's request
};

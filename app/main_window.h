// The main window: a thin shell over the session model. It owns its controls, tips, status bar
// and timer, turns messages into the session's events and applies the session's answers.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "effect_runner.h"
#include "host_ide.h"
#include "layout.h"
#include "screen_geometry.h"
#include "session.h"
#include "settings_files.h"
#include "wide_string.h"
#include "window_object.h"

class MainWindow {
  public:
    // Builds the window, carries out the command once it shows, and runs its message loop: the
    // loop's exit code, or 0 when start-up stops early.
    int Run(int showCommand, std::optional<ToolCommand> command);
    // The process-wide messageBoxOpen flag; while it is raised the tick leaves the band alone.
    bool& MessageBoxOpen() { return messageBoxOpen_; }

  private:
    friend class EffectRunner<MainWindow>;

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
    void OnDestroy();
    LRESULT OnCopyData(const COPYDATASTRUCT& data);
    void CarryOut(const ToolCommand& command);
    void SavePosition() const;
    void StepThroughHistory(Way way);
    void OfferToolchains();
    void EditPresets();
    void KeepStoredValue();

    template <typename SessionEvent> void Feed(const SessionEvent& event) { runner_->Feed(event); }
    WriteDone Perform(const effect::Write& write);
    void Perform(const effect::Select& select);
    void Perform(const effect::Rebuild& rebuild);
    void Perform(const effect::ShowMessage& show);
    void Perform(const effect::SetMarkers& markers);
    EditClosed Perform(const effect::AskForValue& ask);
    PresetFileRead Perform(const effect::ReadPresetFile& read);
    ToolchainPicked Perform(const effect::OfferToolchains& offer);
    PresetAppended Perform(const effect::AppendPreset& append);
    void Perform(const effect::ShowStatus& status);
    void Perform(const effect::FollowHost& host);
    void Perform(const effect::ShowHistory& history);
    void Perform(const effect::Beep& beep);
    void Perform(const effect::SetTicks& set);
    void Perform(const effect::AnswerCommand& answer);

    WindowObject window_;
    DynamicWideString programFolder_;
    DynamicWideString winFbeIniPath_;
    LayoutVariant layout_ = LayoutVariant::Small;
    int messageBoxSize_ = 0;
    bool messageBoxOpen_ = false;
    std::optional<Session> session_;
    std::optional<EffectRunner<MainWindow>> runner_;
    int optionCount_ = 0; // the options shown, "No preset used" included
    TickMemory tick_;
    ScreenPoint start_;        // as read at start-up, compared on close
    ScreenPoint lastRestored_; // where the window last stood while not minimised
    HWND statusBar_ = nullptr;
    HWND tips_ = nullptr;  // made once the window shows
    std::wstring tipText_; // the tip on show, which must outlive the tip's request
    std::optional<ToolCommand> startCommand_; // from this copy's own command line
    std::optional<CommandAnswer> answer_;     // of the command another copy sent
};

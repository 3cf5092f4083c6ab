#pragma once

#include "controls/framework/frametypes.h"
#include "controls/framework/kxevents.h"
#include "controls/framework/tcolor.h"

#include <QObject>
#include <QString>

#include <cstdint>

// Where a form is placed when it is shown.
enum TPosition : std::uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };

// Modal results of the dialog forms.
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// What the shell dialogs share: the placement of their form, kept between runs; the title; the
// form events; the frame of the form's shell control and the look of its buttons. Execute runs
// the dialog once at a time.
class TKxShellDialog : public QObject {
    Q_OBJECT

public:
    explicit TKxShellDialog(QObject *owner = nullptr);

    // True when the form was closed with OK. Raises std::runtime_error when the dialog is
    // already running.
    bool Execute();
    bool Executing() const { return m_executing; }

    TPosition FormPosition = poScreenCenter;
    std::int32_t FormLeft = -1;
    std::int32_t FormTop = -1;
    std::int32_t FormWidth = -1;
    std::int32_t FormHeight = -1;
    TWindowState FormWindowState = wsNormal;
    QString Title;
    TNotifyEvent OnInitialized;
    TNotifyEvent OnFormShow;
    TNotifyEvent OnFormClose;

    TColor FrameColor = clBtnShadow;
    TFrameStyle FrameStyle = fsFlat;
    bool FrameVisible = false;
    TFramingPreference FramingPreference = fpXPThemes;

    TColor ButtonColor = clBtnFace;
    bool ShowButtonGlyphs = false;
    TColor HighlightColor = clHighlight;
    bool HotTrack = false;
    TColor HotTrackColor = TColor(0x149BF0u);
    TKxHotTrackColorType HotTrackColorType = htctActual;

    // The look of the form's tool buttons; the visual style also of its status bar.
    TKxGradientColorStyle ToolBtnGradientColorStyle = gcsSystem;
    TColor ToolBtnSelectionColorStart = clBtnFace;
    TColor ToolBtnSelectionColorStop = clBtnShadow;
    TColor ToolBtnSelectionFrameColor = cl3DDkShadow;
    TKxVisualStyle ToolBtnVisualStyle = vsWinXP;

    // The stored placement record: left, top, width and height as 32-bit little-endian signed
    // integers, then the window state and the position as one byte each.
    static constexpr int kPlacementSize = 18;
    QByteArray WritePlacement() const;
    // False for a record of another size or with an unknown state or position; the placement
    // is then unchanged.
    bool ReadPlacement(const QByteArray &record);

protected:
    virtual bool DoExecute() = 0;
    virtual void DoInitialized();

private:
    bool m_executing = false;
};

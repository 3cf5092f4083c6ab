#pragma once

#include "controls/framework/frametypes.h"
#include "controls/framework/tcolor.h"

// The published frame properties of a framed control, with their defaults.
struct FrameSet {
    TFrameStyle FrameStyle = fsFlat;
    TSides FrameSides = TSides::All();
    TColor FrameColor = clBtnShadow;
    TColor FrameHotColor = clBtnShadow;
    TFrameStyle FrameHotStyle = fsFlatBold;
    bool FrameHotTrack = false;
    bool FrameVisible = false;
    TFramingPreference FramingPreference = fpXPThemes;
    TColor FocusColor = clWindow;
    TColor DisabledColor = clBtnFace;
    TKxFrameControllerNotifications FrameControllerNotifications = kAllFrameControllerNotifications;
};

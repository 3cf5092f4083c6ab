#include "controls/framed/tkxframecontroller.h"

#include "controls/framed/ikxframecontrollernotification.h"

#include <QWidget>

#include <array>

namespace {

constexpr std::array<const char *, fcpAll> kPropertyNames{"Color",
                                                          "FocusColor",
                                                          "DisabledColor",
                                                          "ReadOnlyColor",
                                                          "ReadOnlyColorOnFocus",
                                                          "ParentColor",
                                                          "FlatButtonColor",
                                                          "FlatButtons",
                                                          "FrameColor",
                                                          "FrameHotColor",
                                                          "FrameHotTrack",
                                                          "FrameHotStyle",
                                                          "FrameSides",
                                                          "FrameStyle",
                                                          "FrameVisible",
                                                          "FramingPreference"};

// The order in which a full application assigns the properties.
constexpr std::array<TKxFrameControllerProperty, fcpAll> kApplyOrder{
    fcpParentColor,          fcpColor,         fcpDisabledColor,   fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus, fcpFocusColor,    fcpFlatButtonColor, fcpFlatButtons,
    fcpFrameColor,           fcpFrameHotColor, fcpFrameHotTrack,   fcpFrameHotStyle,
    fcpFrameSides,           fcpFrameStyle,    fcpFrameVisible,    fcpFramingPreference};

} // namespace

TKxFrameController::TKxFrameController(QObject *owner)
    : QObject(owner) {}

TKxFrameController::~TKxFrameController() = default;

void TKxFrameController::RegisterFramedControl(QWidget *control) {
    if (control == nullptr)
        return;
    if (!m_controls)
        m_controls = std::make_unique<QList<QPointer<QWidget>>>();
    if (m_controls->contains(control))
        return;
    m_controls->append(control);
    ApplyToControl(control, fcpAll);
}

void TKxFrameController::UnregisterFramedControl(QWidget *control) {
    if (!m_controls)
        return;
    m_controls->removeAll(control);
    m_controls->removeAll(nullptr);
    if (m_controls->isEmpty())
        m_controls.reset();
}

int TKxFrameController::ControlCount() const {
    return m_controls ? int(m_controls->size()) : 0;
}

void TKxFrameController::SuspendApply() {
    ++m_updateCount;
}

void TKxFrameController::ResumeApply() {
    if (--m_updateCount <= 0) {
        m_updateCount = 0;
        ApplyToAllControls(fcpAll);
    }
}

QVariant TKxFrameController::PropertyValue(TKxFrameControllerProperty property) const {
    switch (property) {
    case fcpColor:
        return QVariant::fromValue(m_color);
    case fcpFocusColor:
        return QVariant::fromValue(m_focusColor);
    case fcpDisabledColor:
        return QVariant::fromValue(m_disabledColor);
    case fcpReadOnlyColor:
        return QVariant::fromValue(m_readOnlyColor);
    case fcpReadOnlyColorOnFocus:
        return m_readOnlyColorOnFocus;
    case fcpParentColor:
        return m_parentColor;
    case fcpFlatButtonColor:
        return QVariant::fromValue(m_flatButtonColor);
    case fcpFlatButtons:
        return m_flatButtons;
    case fcpFrameColor:
        return QVariant::fromValue(m_frameColor);
    case fcpFrameHotColor:
        return QVariant::fromValue(m_frameHotColor);
    case fcpFrameHotTrack:
        return m_frameHotTrack;
    case fcpFrameHotStyle:
        return QVariant::fromValue(m_frameHotStyle);
    case fcpFrameSides:
        return QVariant::fromValue(m_frameSides);
    case fcpFrameStyle:
        return QVariant::fromValue(m_frameStyle);
    case fcpFrameVisible:
        return m_frameVisible;
    case fcpFramingPreference:
        return QVariant::fromValue(m_framingPreference);
    case fcpAll:
        break;
    }
    return {};
}

void TKxFrameController::ApplyToControl(QObject *object, TKxFrameControllerProperty property) {
    auto *control = qobject_cast<QWidget *>(object);
    if (control == nullptr)
        return;
    const QVariant accepted = control->property("FrameControllerNotifications");
    const TKxFrameControllerNotifications notifications =
        accepted.isValid() ? accepted.value<TKxFrameControllerNotifications>()
                           : kAllFrameControllerNotifications;
    if (auto *notified = dynamic_cast<IKxFrameControllerNotification *>(control)) {
        notified->FrameControllerChanged();
        return;
    }
    const auto assign = [&](TKxFrameControllerProperty p) {
        if (!HasNotification(notifications, p))
            return;
        const char *name = kPropertyNames[p];
        if (control->metaObject()->indexOfProperty(name) >= 0)
            control->setProperty(name, PropertyValue(p));
    };
    if (property != fcpAll) {
        assign(property);
        return;
    }
    for (TKxFrameControllerProperty p : kApplyOrder) {
        if (p != fcpColor || !m_parentColor)
            assign(p);
    }
}

void TKxFrameController::ApplyToAllControls(TKxFrameControllerProperty property) {
    if (m_updateCount > 0 || !m_controls)
        return;
    // A control may leave the list while it takes a setting.
    const QList<QPointer<QWidget>> controls = *m_controls;
    for (const QPointer<QWidget> &control : controls) {
        if (control)
            ApplyToControl(control, property);
    }
}

void TKxFrameController::Assign(const TKxFrameController &source) {
    SuspendApply();
    // In the properties' own order a setter's side effects (Color's on FocusColor and
    // ParentColor, FrameHotTrack's on FrameSides and FrameVisible) come before those values.
    for (int p = 0; p < fcpAll; ++p) {
        const auto property = TKxFrameControllerProperty(p);
        setProperty(kPropertyNames[property], source.PropertyValue(property));
    }
    ResumeApply();
}

void TKxFrameController::Loaded() {
    ComponentState::Loaded();
    ApplyToAllControls(fcpAll);
}

template <typename T>
void TKxFrameController::Change(T &field, const T &value, TKxFrameControllerProperty property) {
    if (field == value)
        return;
    field = value;
    ApplyToAllControls(property);
}

void TKxFrameController::SetColor(TColor value) {
    if (m_color == value)
        return;
    if (m_color == m_focusColor)
        m_focusColor = value;
    m_color = value;
    m_parentColor = false;
    ApplyToAllControls(fcpColor);
}

void TKxFrameController::SetParentColor(bool value) {
    if (m_parentColor == value)
        return;
    m_parentColor = value;
    ApplyToAllControls(fcpParentColor);
    if (!value)
        ApplyToAllControls(fcpColor);
}

void TKxFrameController::SetFlatButtonColor(TColor value) {
    Change(m_flatButtonColor, value, fcpFlatButtonColor);
}

void TKxFrameController::SetFlatButtons(bool value) {
    Change(m_flatButtons, value, fcpFlatButtons);
}

void TKxFrameController::SetDisabledColor(TColor value) {
    Change(m_disabledColor, value, fcpDisabledColor);
}

void TKxFrameController::SetReadOnlyColor(TColor value) {
    Change(m_readOnlyColor, value, fcpReadOnlyColor);
}

void TKxFrameController::SetReadOnlyColorOnFocus(bool value) {
    Change(m_readOnlyColorOnFocus, value, fcpReadOnlyColorOnFocus);
}

void TKxFrameController::SetFocusColor(TColor value) {
    Change(m_focusColor, value, fcpFocusColor);
}

void TKxFrameController::SetFrameColor(TColor value) {
    Change(m_frameColor, value, fcpFrameColor);
}

void TKxFrameController::SetFrameHotColor(TColor value) {
    Change(m_frameHotColor, value, fcpFrameHotColor);
}

void TKxFrameController::SetFrameHotTrack(bool value) {
    if (m_frameHotTrack == value)
        return;
    m_frameHotTrack = value;
    if (value) {
        SetFrameVisible(true);
        if (!IsLoading())
            m_frameSides = TSides::All();
    }
    ApplyToAllControls(fcpFrameHotTrack);
}

void TKxFrameController::SetFrameHotStyle(TFrameStyle value) {
    Change(m_frameHotStyle, value, fcpFrameHotStyle);
}

void TKxFrameController::SetFrameSides(TSides value) {
    Change(m_frameSides, value, fcpFrameSides);
}

void TKxFrameController::SetFrameStyle(TFrameStyle value) {
    Change(m_frameStyle, value, fcpFrameStyle);
}

void TKxFrameController::SetFrameVisible(bool value) {
    Change(m_frameVisible, value, fcpFrameVisible);
}

void TKxFrameController::SetFramingPreference(TFramingPreference value) {
    Change(m_framingPreference, value, fcpFramingPreference);
}

void TKxFrameController::SetRegIniFile(TKxRegIniFile *value) {
    m_regIniFile = value;
}

#pragma once

// The loading state of a component: while its form is being built the setters store values
// without their side effects; Loaded ends the state and lets the component settle itself.
class ComponentState {
public:
    virtual ~ComponentState() = default;

    bool IsLoading() const { return m_loading; }
    void BeginLoading() { m_loading = true; }
    virtual void Loaded() { m_loading = false; }

private:
    bool m_loading = false;
};

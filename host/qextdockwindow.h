#pragma once
// QextDockWindow: the host's dock window. It lives in the host framework's shared library, so that the
// module and every host see one meta-object and one type.

#include <QCursor>
#include <QDockWidget>

#if defined(VELHOSTWIDGETS_LIBRARY)
#define VELHOSTWIDGETS_EXPORT Q_DECL_EXPORT
#else
#define VELHOSTWIDGETS_EXPORT Q_DECL_IMPORT
#endif

class VELHOSTWIDGETS_EXPORT QextDockWindow : public QDockWidget {
    Q_OBJECT
public:
    explicit QextDockWindow(const QString& title, QWidget* parent = nullptr, int id = 0);
    ~QextDockWindow() override;

    // Told by the style whether the window floats.
    virtual void applyFloatingState(bool floating);
    // Whether the title bar is painted.
    virtual bool wantsTitle() const;

    int id() const { return m_id; }
    bool autoHide() const { return m_autoHide; }
    bool floatingStateApplied() const { return m_appliedFloating; }
    int floatingStateCalls() const { return m_floatingStateCalls; }
    void setWantsTitle(bool wants) { m_wantsTitle = wants; }

signals:
    void visibilityChanged(int id, bool visible);

public slots:
    void handleCursorChanged(const QCursor& cursor);

private slots:
    void handleVisibilityChanged(bool visible);
    void setAutoHide(bool hide);

private:
    int m_id;
    bool m_autoHide = false;
    bool m_wantsTitle = true;
    bool m_appliedFloating = false;
    int m_floatingStateCalls = 0;
};

#pragma once
// The gallery's window: one gallery panel in the application style (and, to compare, a second one in the
// base "Windows" style beside it) above a pane that logs the module's error reports.

#include <QString>
#include <QWidget>

class GalleryPanel;
class GalleryShot;
class QPlainTextEdit;
class QStyle;

class GalleryWindow : public QWidget {
    Q_OBJECT
public:
    // compareStyle: when not null, a second panel painted with that style (owned by the caller) is shown
    // beside the first. applicationPage: the panels also show the controls of application mode.
    explicit GalleryWindow(QStyle* compareStyle = nullptr, bool applicationPage = false,
                           QWidget* parent = nullptr);

    GalleryPanel* panel() const { return m_panel; }
    GalleryPanel* comparePanel() const { return m_compare; }

    // Shows the window and its floating dock windows.
    void showAll();

    // Renders the shown window, the opened pop-up menu of each panel and the floating dock windows into
    // one shot, and notes where the controls the tests look at lie in it.
    void renderShot(GalleryShot& shot);

public slots:
    void appendLog(const QString& message);

private:
    void noteControls(GalleryShot& shot, GalleryPanel* panel, const QString& prefix);

    GalleryPanel* m_panel = nullptr;
    GalleryPanel* m_compare = nullptr;
    QPlainTextEdit* m_log = nullptr;
};

#pragma once
// TitledFrame: the host's titled frame control, a frame with a title that the style paints as its custom
// complex control.

#include <QString>
#include <QWidget>

class TitledFrameOption;

class TitledFrame : public QWidget {
    Q_OBJECT
public:
    explicit TitledFrame(const QString& title, QWidget* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);

    // The option the control is painted with.
    void initStyleOption(TitledFrameOption* option) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
};

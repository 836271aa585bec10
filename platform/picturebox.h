#pragma once
// A picture box: shows one of the program's JPEG pictures at its designed size, drawn from the
// stored resolution that suits the screen it stands on, and again when it moves to a screen of
// another pixel density.

#include <QLabel>
#include <QString>

namespace platform {

class PictureBox : public QLabel {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Shows the picture at `path` (see loadJpegPicture). It is decoded when the box is first
    // shown, so that a picture nobody has seen yet (a hidden box, a window not yet opened)
    // costs no pixel memory; a box already shown decodes it at once. A picture the decoder
    // refuses then raises its failure and leaves the box empty.
    void setPicture(const QString& path);

    // The picture's size in logical pixels (the designed size), read from its header until it
    // is decoded; empty while there is none.
    QSize pictureSize() const;

protected:
    bool event(QEvent* event) override;

private:
    void loadForScreen();

    QString path_;
    bool decoded_ = false;
};

} // namespace platform

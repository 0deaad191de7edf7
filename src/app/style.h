// The widgets' style: the platform's own, except that the icons every menu
// bar asks for as it is made come from the style only when first drawn.
//
// A menu bar takes its overflow button's icon from the style when it is
// created. The style reads that picture through an image reader that guesses
// the format, which loads every image format plugin there is (SVG with its
// Qt module, JPEG, GIF, ICO and the SVG icon engine): several milliseconds of
// start-up, for a button the game's menu bar never shows.
#pragma once

#include <QProxyStyle>

namespace fusefuda {

class GameStyle : public QProxyStyle {
public:
    // Takes `base`, the style that draws everything.
    explicit GameStyle(QStyle *base);
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

}  // namespace fusefuda

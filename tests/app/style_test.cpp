#include "app/style.h"

#include <gtest/gtest.h>
#include <link.h>

#include <QApplication>
#include <QMenuBar>
#include <QStyleFactory>
#include <cstring>
#include <memory>

namespace fusefuda {
namespace {

bool anImageFormatPluginIsLoaded() {
    return dl_iterate_phdr(
               [](dl_phdr_info *info, size_t, void *) {
                   return std::strstr(info->dlpi_name, "/imageformats/") ? 1 : 0;
               },
               nullptr) != 0;
}

// A menu bar asks the style for its overflow button's icon as it is made;
// reading that picture the style's way loads every image format plugin.
TEST(Style, AMenuBarIsMadeWithoutImagePluginsAndItsIconDrawsAsTheStylesOwn) {
    if (anImageFormatPluginIsLoaded()) GTEST_SKIP() << "an earlier test in this process loaded one";
    const QString name = QApplication::style()->name();
    QApplication::setStyle(new GameStyle(QStyleFactory::create(name)));
    {
        QMenuBar bar;
        bar.addMenu(QStringLiteral("File"));
        bar.adjustSize();
        EXPECT_FALSE(anImageFormatPluginIsLoaded());
        const QStyle::StandardPixmap which = QStyle::SP_ToolBarHorizontalExtensionButton;
        const QIcon deferred = QApplication::style()->standardIcon(which);
        std::unique_ptr<QStyle> plain(QStyleFactory::create(name));
        const QIcon own = plain->standardIcon(which);
        for (const int size : {16, 32}) {
            const QImage expected = own.pixmap(size).toImage();
            ASSERT_FALSE(expected.isNull());
            EXPECT_EQ(deferred.pixmap(size).toImage(), expected) << size;
        }
        EXPECT_EQ(deferred.availableSizes(), own.availableSizes());
    }
    QApplication::setStyle(name);
}

}  // namespace
}  // namespace fusefuda

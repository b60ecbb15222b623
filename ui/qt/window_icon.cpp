#include "window_icon.h"

#include <QPixmap>

namespace {
#include "quillop_icon.xpm"
}

namespace quillop::ui {

QIcon quillopIcon() { return QIcon(QPixmap(quillop_icon_xpm)); }

}  // namespace quillop::ui

#include "appearance/form_style.h"

#include "appearance/theme.h"

QString graphiteFormStyle()
{
    return QStringLiteral(R"(
QWidget { background: #222832; color: #d4dce7; font-family: Arial; font-size: 9pt; }
QLabel { background: transparent; color: #929fb1; }
QLabel[role="value"] { color: #b2eeff; }
QGroupBox { border: 1px solid #07090c; border-radius: 4px; margin-top: 9px; padding: 6px 4px 4px 4px;
            background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a4350, stop:1 #1f252e); }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #b2eeff; font-weight: bold; }
QLineEdit, QComboBox, QListWidget { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #050c11, stop:1 #0b181f);
            color: #b2eeff; border: 1px solid #07090c; border-bottom-color: #86949f; border-radius: 2px;
            padding: 2px 4px; selection-background-color: #58d0ff; selection-color: #050c11; }
QComboBox::drop-down { border: none; width: 14px;
            background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a5463, stop:1 #1b2028); }
QComboBox QAbstractItemView { background: #0b181f; color: #b2eeff; selection-background-color: #58d0ff;
            selection-color: #050c11; }
QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a5463, stop:1 #1b2028);
            color: #d4dce7; border: 1px solid #07090c; border-top-color: #86949f; border-radius: 4px;
            padding: 4px 14px; min-width: 56px; font-weight: bold; }
QPushButton:hover { color: #b2eeff; border-color: #58d0ff; }
QPushButton:pressed { background: #1b2028; }
QSlider::groove:horizontal { height: 4px; background: #050c11; border: 1px solid #07090c; border-radius: 2px; }
QSlider::handle:horizontal { width: 12px; margin: -6px 0; border-radius: 6px; border: 1px solid #07090c;
            background: qradialgradient(cx:0.4, cy:0.35, radius:0.7, stop:0 #aab4c1, stop:1 #4a5463); }
)");
}

QColor graphiteLinkColour()
{
    return theme::Accent;
}

QColor graphiteLinkPressedColour()
{
    return theme::AccentLight;
}

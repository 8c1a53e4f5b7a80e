#include <QString>

#include "model/game_state.h"
#include "platform/services.h"
#include "title/title_screen.h"
#include "ui/game_flow.h"

void ShowAbout(QWidget* owner) {
    StopTitleScreen();
    if (GameState.langue == 0) {
        MessageBox(owner,
                   QStringLiteral("Mirovane " MIROVANE_VERSION_SHORT
                                  "\r\nby Kestory\r\nDecember 2026\r\nAll rights reserved\r\n"
                                  "www.kestory.example"),
                   QStringLiteral("About"), MB_OK);
    } else {
        MessageBox(owner,
                   QString::fromUtf16(
                       u"Mirovane " MIROVANE_VERSION_SHORT u"\r\npar Kestory\r\nDécembre 2026\r\nTous droits "
                       u"réservés\r\nwww.kestory.example"),
                   QStringLiteral("A propos"), MB_OK);
    }
}

#include "core/title/title_screen.h"
#include "core/ui/game_flow.h"
#include "model/game_state.h"
#include "seam/host.h"

void ShowAbout() {
    StopTitleScreen();
    if (GameState.langue == 0) {
        MessageBox(u"Mirovane " MIROVANE_VERSION_SHORT
                   u"\r\nby Kestory\r\nDecember 2026\r\nAll rights reserved\r\nwww.kestory.example",
                   u"About", BoxStyle::Ok);
    } else {
        MessageBox(u"Mirovane " MIROVANE_VERSION_SHORT
                   u"\r\npar Kestory\r\nDécembre 2026\r\nTous droits réservés\r\nwww.kestory.example",
                   u"A propos", BoxStyle::Ok);
    }
}

// The main window's side of WSJT-X's decodes.
#include "Durerur.h"

#include "Decodages.h"

void Durerur::applyWsjtxConfiguration() {
    decodes_.listen(config_.value(ConfigKey::WsjtxUdp));
}

void Durerur::Mnu_Decodages_Click() {
    decodes_.show();
}

#include "RevisionHistory.h"

#include <QStringList>

const QString Texte_Revision_Courante = QStringLiteral(" 1.4.6");

QString historyText(const QString& spotSiteHost, const QString& lookupSiteName) {
    const QStringList lines{
        QStringLiteral("V1.0.0 le 01/03/2005 Creation Programme"),
        QStringLiteral("V1.1.0 le 08/04/2005 Ajout Gestion RX FT-847"),
        QStringLiteral("V1.2.0 le 18/04/2005 Ajout FT-736,817,897,1000"),
        QStringLiteral("V1.3.2 le 04/05/2006 Ajout fitres"),
        QStringLiteral("V1.3.4 le 10/04/2007 Ajout tri par indicatif, QTR et QRG"),
        QStringLiteral("V1.3.5 le 11/04/2007 Utilisation de ") + spotSiteHost,
        QStringLiteral("V1.3.6 le 13/04/2007 Ajout deuxieme bande"),
        QStringLiteral("V1.3.7 le 07/09/2007 Ajout bande 432 Mhz"),
        QStringLiteral("V1.3.8 le 18/12/2007 Changement fenetre affichage "),
        QStringLiteral("V1.3.9 le 09/02/2008 Ajout détail station via ") + lookupSiteName +
            QLatin1Char(' '),
        QStringLiteral("V1.4.0 le 17/02/2009 Ajout port com 3 à 6 "),
        QStringLiteral("V1.4.1 le 22/03/2009 Correction erreur 62 suite a modif de DX Durerur "),
        QStringLiteral("V1.4.2 le 19/09/2009 Correction suite a modif de DX Durerur "),
        QStringLiteral("V1.4.3 le 27/04/2010 Ajout FT-920 et FT-1000 "),
        QStringLiteral(
            "V1.4.4 le 07/05/2010 affichage Pays, continent, code CQ et ITU, coordonnés et "
            "fuseau horaire"),
        QStringLiteral("V1.4.5 le 12/05/2010 affichage diistance et azimut ald coordonnés ajout "
                       "bande 70MHz"),
        QStringLiteral("V1.4.6 le 28/10/2010 Ajout filtre dans la zone remarque"),
    };
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QString aboutText(const QString& revision) {
    return QStringLiteral("    Pelk Durerur\r\n  revision ") + revision +
           QStringLiteral("\r\n  version du paquet " PELK_VERSION);
}

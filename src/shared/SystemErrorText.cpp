#include "SystemErrorText.h"

#include <QStringView>
#include <array>
#include <cerrno>
#include <utility>

namespace {

// The errors a file, a folder or a device commonly meets.
constexpr std::array<std::pair<int, QStringView>, 22> Texts{{
    {ENOENT, u"fichier ou dossier introuvable"},
    {EACCES, u"permission refusée"},
    {EPERM, u"opération non permise"},
    {ENOSPC, u"disque plein"},
    {EDQUOT, u"quota disque dépassé"},
    {EROFS, u"disque en lecture seule"},
    {ELOOP, u"trop de liens symboliques"},
    {ENOTDIR, u"un élément du chemin n'est pas un dossier"},
    {EISDIR, u"c'est un dossier"},
    {ENAMETOOLONG, u"nom trop long"},
    {EEXIST, u"existe déjà"},
    {EIO, u"erreur d'entrée-sortie"},
    {EFBIG, u"fichier trop grand"},
    {EMFILE, u"trop de fichiers ouverts"},
    {ENFILE, u"trop de fichiers ouverts"},
    {ENOMEM, u"mémoire insuffisante"},
    {EBUSY, u"ressource occupée"},
    {ENXIO, u"périphérique absent"},
    {ENODEV, u"périphérique absent"},
    {ETXTBSY, u"fichier en cours d'exécution"},
    {EINVAL, u"argument invalide"},
    {EAGAIN, u"ressource momentanément indisponible"},
}};

} // namespace

QString systemErrorText(int error) {
    for (const auto& [number, text] : Texts) {
        if (number == error)
            return text.toString();
    }
    return QStringLiteral("erreur système %1").arg(error);
}

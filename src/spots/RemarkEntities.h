#pragma once

#include <QString>

// Decodes the character references of a remark, as the site escapes them:
// the named ones "&LT;", "&GT;", "&AMP;", "&QUOT;", "&APOS;" and "&NBSP;"
// (a plain blank, so that a typed remark text finds it), and the numeric ones
// "&#n;" and "&#xh;". Names are read in either case, the page being in
// capitals. Any other "&", and a reference to a control character or to no
// character at all, is left as it stands.
QString decodeRemarkEntities(const QString& remark);

#include "firmware/dencryptinfo.h"

const QString KeyDevice = QStringLiteral("{01F1095D-25DB-41A1-B694-D978198993AD}");
const QString KeyModel = QStringLiteral("{DBCA09A2-3B0F-49C8-892D-BBF54C0ACD64}");
const QString KeyVersion = QStringLiteral("{160BEA7C-07BB-4FCC-BF7E-3C9BDF2EE0B6}");
const QString KeyImage = QStringLiteral("{B2D57D72-C2D0-47C1-8A16-CC2303201956}");

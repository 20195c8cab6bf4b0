#include "Durerur.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

void Durerur::applyLogConfiguration() {
    log_.setLog(Configuration::splitFiles(config_.value(ConfigKey::AdifLog)),
                config_.names(ConfigKey::Confirmations));
    Check5->setChecked(config_.isYes(ConfigKey::NeededOnly));
}

void Durerur::logChanged() {
    const std::shared_ptr<const LogSnapshot> log = log_.snapshot();
    statusLine_.showLog(log->status, log->hasLog);
    // The lines already read, filtered and coloured again.
    if (!refresh_.redisplay())
        colours_.colour(*Liste_Stations);
    decodes_.redisplay();
    bandMap_.redisplay();
}

void Durerur::Check5_Click() {
    const QString value = Configuration::yesOrNo(Check5->isChecked());
    config_.setValue(ConfigKey::NeededOnly, value);
    // A choice that cannot be kept still applies to this run.
    Configuration::saveKeys(Configuration::userFile(), {{QStringLiteral("needed_only"), value}});
    refresh_.redisplay();
    decodes_.redisplay();
    bandMap_.redisplay();
}

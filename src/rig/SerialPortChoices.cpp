#include "SerialPortChoices.h"

QString portFailureMessage(int n, SerialLink::OpenFailure failure, const QString& device) {
    if (n < 1 || n > static_cast<int>(PortChoices.size()))
        return QString();
    switch (failure) {
    case SerialLink::OpenFailure::Busy:
        return QStringLiteral("Le port Com%1 (%2) est utilisé par un autre programme")
            .arg(n)
            .arg(device);
    case SerialLink::OpenFailure::NotPermitted:
        return QStringLiteral("Le port Com%1 (%2) ne vous est pas permis : ajoutez votre compte au "
                              "groupe dialout (sudo usermod -aG dialout $USER), puis ouvrez une "
                              "nouvelle session")
            .arg(n)
            .arg(device);
    case SerialLink::OpenFailure::None:
    case SerialLink::OpenFailure::Missing:
        break;
    }
    return QString::fromLatin1(PortChoices[static_cast<std::size_t>(n - 1)].failureMessage);
}

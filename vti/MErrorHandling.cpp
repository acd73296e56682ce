#include "MErrorHandling.h"

#include "NB4410Protocol.h"
#include "NB4410VTI.h"
#include "host/core/LanguageService.h"
#include "host/core/MessageService.h"
#include "host/core/Steps.h"

namespace nb4410vti::MErrorHandling {

using ostrel::HResult;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {

const QString kModule = QStringLiteral("NB-4410");
const QString kTitleText = QStringLiteral("22016::NB-4410 Communication Error");

QString resolve(const QString& module, const QString& text, const VariantArray& params = {})
{
    return ostrel::LanguageService::instance().Translate(module, text, params);
}

QString codeTextNumber(std::int32_t errorCode)
{
    switch (errorCode) {
    case 1001: return QStringLiteral("22004::Missing parameter");
    case 1002: return QStringLiteral("22005::Too many parameters");
    case 1003: return QStringLiteral("22006::Invalid parameter");
    case 1101: return QStringLiteral("22007::Unknown message format");
    case 5001: return QStringLiteral("22008::Out of memory");
    case 6000: return QStringLiteral("22009::Uknown command");
    case 6001: return QStringLiteral("22010::Busy");
    case 6002: return QStringLiteral("22011::Test not allowed");
    case 6003: return QStringLiteral("22012::Illegal command");
    case 6004: return QStringLiteral("22013::Command not allowed");
    case 7001: return QStringLiteral("22014::Object not found");
    default: return QStringLiteral("22015::Unknown error");
    }
}

// The COM user-error base (0x80040000 plus 512) taken off, in 32-bit signed arithmetic.
constexpr std::int64_t kUserErrorOffset = 2147220992;

Variant userErrorNumber(HResult number)
{
    if (static_cast<std::int64_t>(number) + kUserErrorOffset > INT32_MAX)
        return Variant();
    return Variant(static_cast<std::int32_t>(number + kUserErrorOffset));
}

// The fields of an "ERRM" reply; a missing one stays empty (or 0).
struct ErrmFields {
    QString operation;
    std::int32_t code = 0;
    QString further;
};

ErrmFields errmFields(const Variant& params)
{
    namespace errm = nb4410::protocol::errm;
    ErrmFields fields;
    ostrel::runStep("ERRM operation", [&] { fields.operation = params.array()[errm::kCommand].toText(); });
    ostrel::runStep("ERRM error code", [&] { fields.code = Variant(params.array()[errm::kCode].toText()).toLong(); });
    ostrel::runStep("ERRM further text", [&] { fields.further = params.array()[errm::kText].toText(); });
    return fields;
}

void show(const QString& body, const QString& title)
{
    // A failure of the instrument or the line is an error, not a notice.
    ostrel::MessageService::instance().Show(ostrel::MessageIcon::Critical, body, title);
}

} // namespace

QString MTIErrorText(std::int32_t errorCode)
{
    return resolve(kModule, codeTextNumber(errorCode));
}

void ShowMTIError(const QString& replyName, const Variant& params)
{
    if (replyName != QLatin1String("ERRM"))
        return;
    const ErrmFields errm = errmFields(params);
    QString codeText;
    QString body;
    QString title;
    ostrel::runStep("ERRM code text", [&] { codeText = MTIErrorText(errm.code); });
    ostrel::runStep("ERRM body", [&] {
        body = resolve(QString(),
                       QStringLiteral("22000::Error received from MTI: %%1\r\n%%2\r\nOccurred when performing %%3\r\n%%4"),
                       VariantArray{Variant(errm.code), Variant(codeText), Variant(errm.operation), Variant(errm.further)});
    });
    ostrel::runStep("ERRM title", [&] { title = resolve(kModule, kTitleText); });
    ostrel::runStep("ERRM message box", [&] { show(body, title); });
}

void ShowVtiError(HResult number, const QString& source, const QString& description)
{
    QString title;
    QString body;
    ostrel::runStep("driver error title", [&] { title = resolve(kModule, kTitleText); });
    ostrel::runStep("driver error body", [&] {
        switch (static_cast<std::uint32_t>(number)) {
        case 0x8004A424u:
        case 0x8004A425u:
            body = resolve(kModule, QStringLiteral("22001::Communication error with the NB-4410 unit. Please check all "
                                                   "cables and check that the NB-4410 is turned on."));
            break;
        case 0x8004A463u:
        case 0x8004A464u:
            body = resolve(kModule, QStringLiteral("22002::Invalid data recieved from the NB-4410. Boot the NB-4410 and "
                                                   "restart test. If the error still occurs, a new firmware upload is "
                                                   "required."));
            break;
        case 0x8004A465u:
        case 0x8004A466u:
        case 0x8004A467u:
        case 0x8004A469u:
            body = resolve(kModule, QStringLiteral("22003::No NB-4410 connected. Please check all cables and check that "
                                                   "the NB-4410 is turned on."));
            break;
        default:
            body = resolve(kModule, QStringLiteral("3400::Error #%%1 (%%2)    [%%3]\\n%%4"),
                           VariantArray{Variant(number), userErrorNumber(number), Variant(source), Variant(description)});
            break;
        }
    });
    ostrel::runStep("driver error message box", [&] { show(body, title); });
}

QString VtiErrorDescription(HResult number)
{
    switch (number) {
    case eeVTI_InvalidMsgReceived: return QStringLiteral("The NB-4410 sent an unexpected reply.");
    case eeVTI_InvalidParametersReceived: return QStringLiteral("The NB-4410 sent invalid parameters.");
    case eeVTI_NotInitialized: return QStringLiteral("No remote connection with the NB-4410 is open.");
    case eeVTI_Busy: return QStringLiteral("The NB-4410 driver is busy.");
    case eeVTI_ReceiveTimeout: return QStringLiteral("The NB-4410 did not reply in time.");
    case eeVTI_Error: return QStringLiteral("The NB-4410 driver call failed.");
    case eeVTI_NoMtiFound: return QStringLiteral("No port is registered for the NB-4410.");
    case eeVTI_MTIError: return QStringLiteral("The NB-4410 reported an error.");
    default: return QString();
    }
}

QString MTIErrorDescription(const Variant& params)
{
    const ErrmFields errm = errmFields(params);
    const QString text =
        QStringLiteral("The NB-4410 reported error %1 (%2) on %3").arg(errm.code).arg(MTIErrorText(errm.code), errm.operation);
    const QString further = errm.further.trimmed();
    return further.isEmpty() ? text : text + QStringLiteral(": ") + further;
}

QString CallFailedDescription(const QString& cause)
{
    return cause.trimmed().isEmpty() ? VtiErrorDescription(eeVTI_Error) : cause.trimmed();
}

} // namespace nb4410vti::MErrorHandling

#pragma once
#include "Forward.h"
#include "host/core/Variant.h"

namespace ostrel {

// The report the elements print into. Tables use the report table language (docs/report.md).
class IReport : public virtual IObject {
public:
    virtual void SetFontSize(std::int32_t points) = 0;
    virtual std::int32_t FontSize() = 0;
    virtual std::int32_t Width(std::int32_t fontSize) = 0;    // printable width in twips
    virtual void SetSpaceBefore(std::int32_t value) = 0;     // the second table setting
    virtual void SetRuled(std::int32_t value) = 0;           // the third table setting
    virtual void AddTable(const QString& format, const QString& heading, const QString& rows,
                          const Variant& a = Variant(), const Variant& b = Variant(), const Variant& c = Variant()) = 0;
    virtual std::int32_t PrintOptions() = 0;                 // 0x10: failed measurements only
    virtual QString Translate(const QString& module, const QString& text) = 0;
};

} // namespace ostrel

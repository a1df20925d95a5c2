// Designer's tooltips are the descriptions of the property table.
#include "prynex/designer/prynex_designer_plugin.h"

#include "prynex/property_table.h"

using namespace Qt::StringLiterals;

namespace prynex {

QString designerPropertyTooltips()
{
    QString xml = u"<propertyspecifications>\n"_s;
    for (const PropertyInfo &info : propertyTable()) {
        if (!info.isControlProperty || info.hidden || !info.readable() || !*info.description)
            continue;
        xml += u"    <tooltip name=\"%1\">%2</tooltip>\n"_s.arg(info.qName(),
                                                             QString::fromLatin1(info.description).toHtmlEscaped());
    }
    return xml + u"   </propertyspecifications>"_s;
}

}  // namespace prynex

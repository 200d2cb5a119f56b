#include "core/settings/ShopSettings.h"

namespace qs {

NameValueList ShopSettings::defaults()
{
    // The two example mail addresses are left empty: a new shop must not send
    // its orders to somebody else's address.
    return NameValueList({
        "company=Shopping Online",
        "sales_email=",
        "basecurrency=gbp",
        "currency=gbp",
        "tmpdir=/tmp",
        "PATH=c:/httpd/htdocs/webdata",
        "owner_email=",
        "MAX_CATEGORY_DEPTH=3",
        "AUTH=",
        "PPID=",
    });
}

ShopSettings::ShopSettings() : NameValueList(defaults()) {}

} // namespace qs

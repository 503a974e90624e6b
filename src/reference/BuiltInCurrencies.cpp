#include "reference/BuiltInCurrencies.h"

#include <array>

namespace {

// Row k of the list: code, symbol, name. The order is part of the contract (the
// account dialog's rows and the start-up renaming both depend on it).
constexpr std::array<BuiltInCurrency, BuiltInCurrencies::Count> Rows = {{
    {"AFA", "ap", "Afghanistan Afghani"},  // 0
    {"ALL", "lek", "Albanian Lek"},
    {"DZD", "dz", "Algerian Dinar"},
    {"ADF", "af", "Andorran Franc"},
    {"ADP", "apt", "Andorran Peseta"},
    {"AON", "kz", "Angolan New Kwanza"},
    {"M$N", "ar$", "Argentine Peso"},
    {"AWG", "afl", "Aruban Florin"},
    {"AUD", "a$", "Australian Dollar"},
    {"ATS", "as", "Austrian Schilling"},
    {"BSD", "b$", "Bahamian Dollar"},  // 10
    {"BHD", "bd", "Bahraini Dinar"},
    {"BDT", "tk", "Bangladeshi Taka"},
    {"BBD", "bds$", "Barbados Dollar"},
    {"BEF", "bf", "Belgian Franc"},
    {"BZD", "bz$", "Belize Dollar"},
    {"BMD", "bm$", "Bermuda Dollar"},
    {"BTN", "nu", "Bhutan Ngultrum"},
    {"BOB", "bo", "Bolivian Boliviano"},
    {"BWP", "pu", "Botswana Pula"},
    {"BRL", "r$", "Brazilian Real"},  // 20
    {"GBP", "p", "British Pound"},
    {"BND", "bn$", "Brunei Dollar"},
    {"BGL", "lv", "Bulgarian Lev"},
    {"BIF", "fbu", "Burundi Franc"},
    {"KHR", "cr", "Cambodian Riel"},
    {"CAD", "c$", "Canadian Dollar"},
    {"CVE", "esc", "Cape Verde Escudo"},
    {"KYD", "ci$", "Cayman Islands Dollar"},
    {"XOF", "cfa", "CFA Franc (BCEAO)"},
    {"XAF", "fcfa", "CFA Franc (BEAC)"},  // 30
    {"XPF", "cfp", "CFP Franc"},
    {"CHP", "ch$", "Chilean Peso"},
    {"CNY", "y", "Chinese Yuan Renminbi"},
    {"COP", "col$", "Colombian Peso"},
    {"KMF", "cf", "Comoros Franc"},
    {"CRC", "c", "Costa Rican Colon"},
    {"HRK", "kn", "Croatian Kuna"},
    {"CUP", "cu$", "Cuban Peso"},
    {"CYP", "cp", "Cyprus Pound"},
    {"CZK", "kc", "Czech Koruna"},  // 40
    {"DKK", "dkr", "Danish Krone"},
    {"DJF", "fdj", "Djibouti Franc"},
    {"DOP", "rd$", "Dominican Peso"},
    {"NLG", "dg", "Dutch Guilder"},
    {"XCD", "ec$", "East Caribbean Dollar"},
    {"ECS", "su", "Ecuador Sucre"},
    {"EGP", "ep", "Egyptian Pound"},
    {"SVC", "sc", "El Salvador Colon"},
    {"EEK", "ek", "Estonian Kroon"},
    {"ETB", "br", "Ethiopian Birr"},  // 50
    {"EUR", "eu", "Euro"},
    {"FKP", "fp", "Falkland Islands Pound"},
    {"FJD", "fj$", "Fiji Dollar"},
    {"FIM", "fm", "Finnish Markka"},
    {"FRF", "ff", "French Franc"},
    {"GMD", "da", "Gambian Dalasi"},
    {"DM", "dm", "German Mark"},
    {"GHC", "gc", "Ghanaian Cedi"},
    {"GIP", "gp", "Gibraltar Pound"},
    {"XAU", "g", "Gold (oz.)"},  // 60
    {"GRD", "dr", "Greek Drachma"},
    {"GTQ", "q", "Guatemalan Quetzal"},
    {"GNF", "gf", "Guinea Franc"},
    {"GYD", "g$", "Guyana Dollar"},
    {"HTG", "hg", "Haitian Gourde"},
    {"HNL", "l", "Honduran Lempira"},
    {"HK$", "hk$", "Hong Kong Dollar"},
    {"HUF", "ft", "Hungarian Forint"},
    {"ISK", "ikr", "Iceland Krona"},
    {"INR", "rs", "Indian Rupee"},  // 70
    {"IDR", "rp", "Indonesian Rupiah"},
    {"IRR", "ir", "Iranian Rial"},
    {"IQD", "id", "Iraqi Dinar"},
    {"IEP", "ip", "Irish Punt"},
    {"ILS", "is", "Israeli Shekel"},
    {"ITL", "li", "Italian Lira"},
    {"JMD", "j$", "Jamaican Dollar"},
    {"JPY", "?", "Japanese Yen"},
    {"JOD", "jd", "Jordanian Dinar"},
    {"KZT", "kt", "Kazakhstan Tenge"},  // 80
    {"KES", "ks", "Kenyan Shilling"},
    {"WWR", "w", "Korean Won"},
    {"KPW", "nw", "North Korean Won"},
    {"KWD", "kd", "Kuwaiti Dinar"},
    {"LAK", "kip", "Lao Kip"},
    {"LVL", "ls", "Latvian Lats"},
    {"LBP", "lp", "Lebanese Pound"},
    {"LSL", "lo", "Lesotho Loti"},
    {"LRD", "l$", "Liberian Dollar"},
    {"LYD", "ld", "Libyan Dinar"},  // 90
    {"LTL", "lt", "Lithuanian Litas"},
    {"LUF", "lf", "Luxembourg Franc"},
    {"MOP", "mp", "Macau Pataca"},
    {"MKD", "den", "Macedonian Denar"},
    {"MGF", "fmg", "Malagasy Franc"},
    {"MWK", "mk", "Malawi Kwacha"},
    {"MYR", "rm", "Malaysian Ringgit"},
    {"MVR", "rf", "Maldive Rufiyaa"},
    {"MTL", "ml", "Maltese Lira"},
    {"MRO", "um", "Mauritanian Ouguiya"},  // 100
    {"MUR", "mr", "Mauritius Rupee"},
    {"N$", "mx$", "Mexican Peso"},
    {"MDL", "md", "Moldovan Leu"},
    {"MNT", "tg", "Mongolian Tugrik"},
    {"MAD", "dh", "Moroccan Dirham"},
    {"MZM", "mt", "Mozambique Metical"},
    {"MMK", "ky", "Myanmar Kyat"},
    {"NAD", "n$", "Namibia Dollar"},
    {"NPR", "nr", "Nepalese Rupee"},
    {"NLG", "ng", "Netherlands Guilder"},  // 110
    {"NZ$", "nz$", "New Zealand Dollar"},
    {"NIO", "co", "Nicaraguan Cordoba"},
    {"NGN", "na", "Nigerian Naira"},
    {"NOK", "nkr", "Norwegian Krone"},
    {"OMR", "or", "Omani Rial"},
    {"PKR", "pr", "Pakistan Rupee"},
    {"XPD", "pd", "Palladium (oz.)"},
    {"PAB", "ba", "Panamanian Balboa"},
    {"PGK", "k", "Papua New Guinea Kina"},
    {"PYG", "gs", "Paraguay Guarani"},  // 120
    {"PEN", "ns", "Peruvian Nuevo Sol"},
    {"PHP", "pp", "Philippine Peso"},
    {"XPT", "pt", "Platinum (oz.)"},
    {"PLN", "zl", "Polish Zloty"},
    {"PTE", "pe", "Portuguese Escudo"},
    {"QAR", "qr", "Qatari Rial"},
    {"ROL", "lei", "Romanian Leu"},
    {"RUB", "r", "Russian Rouble"},
    {"WST", "ws$", "Samoan Tala"},
    {"STD", "db", "Sao Tome and Principe Dobra"},  // 130
    {"SAR", "sr", "Saudi Riyal"},
    {"SCR", "scr", "Seychelles Rupee"},
    {"SLL", "le", "Sierra Leone Leone"},
    {"XAG", "ag", "Silver (oz.)"},
    {"SI$", "s$", "Singapore Dollar"},
    {"SKK", "sk", "Slovak Koruna"},
    {"SIT", "sit", "Slovenian Tolar"},
    {"SBD", "si$", "Solomon Islands Dollar"},
    {"SOS", "so", "Somali Shilling"},
    {"SAR", "sr", "South African Rand"},  // 140
    {"ESP", "pta", "Spanish Peseta"},
    {"LKR", "slr", "Sri Lanka Rupee"},
    {"SHP", "sh", "St. Helena Pound"},
    {"SDD", "sd", "Sudanese Dinar"},
    {"SRG", "sg", "Suriname Guilder"},
    {"SZL", "e", "Swaziland Lilangeni"},
    {"SEK", "skr", "Swedish Krona"},
    {"CHF", "sfr", "Swiss Franc"},
    {"SYP", "sp", "Syrian Pound"},
    {"NT$", "nt$", "Taiwan Dollar"},  // 150
    {"TZS", "tsh", "Tanzanian Shilling"},
    {"THB", "bt", "Thai Baht"},
    {"TOP", "t$", "Tonga Pa'anga"},
    {"TTD", "tt$", "Trinidad and Tobago Dollar"},
    {"TND", "td", "Tunisian Dinar"},
    {"TRL", "tl", "Turkish Lira"},
    {"AED", "ae", "UAE Dirham"},
    {"UGX", "ush", "Uganda Shilling"},
    {"UAH", "hrn", "Ukraine Hryvnia"},
    {"UYU", "ur$", "Uruguayan Peso"},  // 160
    {"USD", "$", "US Dollar"},
    {"UZS", "sum", "Uzbekistan Sum"},
    {"VUV", "vt", "Vanuatu Vatu"},
    {"VEB", "bs", "Venezuelan Bolivar"},
    {"VND", "vd", "Vietnam Dong"},
    {"YER", "yr", "Yemeni Rial"},
    {"YUM", "yd", "Yugoslav Dinar"},
    {"ZMK", "zk", "Zambian Kwacha"},
    {"ZWD", "z$", "Zimbabwe Dollar"},
}};

}  // namespace

QString currencyDisplayText(const QString& name, const QString& code)
{
    return name + QStringLiteral(" (") + code + QLatin1Char(')');
}

QString BuiltInCurrencies::fallbackCode()
{
    return code(0);
}

std::optional<BuiltInCurrency> BuiltInCurrencies::row(int k)
{
    if (k < 0 || k >= Count)
        return std::nullopt;
    return Rows[static_cast<size_t>(k)];
}

QString BuiltInCurrencies::code(int k)
{
    const auto r = row(k);
    return r ? QString::fromUtf8(r->code) : QString();
}

QString BuiltInCurrencies::symbol(int k)
{
    const auto r = row(k);
    return r ? QString::fromUtf8(r->symbol) : QString();
}

QString BuiltInCurrencies::name(int k)
{
    const auto r = row(k);
    return r ? QString::fromUtf8(r->name) : QString();
}

QString BuiltInCurrencies::displayText(int k)
{
    const auto r = row(k);
    return r ? currencyDisplayText(QString::fromUtf8(r->name), QString::fromUtf8(r->code)) : QString();
}

int BuiltInCurrencies::firstRowOf(QStringView code)
{
    for (int k = 0; k < Count; ++k) {
        if (code == QLatin1StringView(Rows[static_cast<size_t>(k)].code))
            return k;
    }
    return -1;
}

std::optional<QString> BuiltInCurrencies::repairName(QStringView code)
{
    std::optional<QString> name;
    for (const BuiltInCurrency& r : Rows) {
        if (code != QLatin1StringView(r.code))
            continue;
        if (name)
            return std::nullopt;  // a code of two rows
        name = QString::fromUtf8(r.name);
    }
    return name;
}

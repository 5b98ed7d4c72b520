// Command lines and the arguments the platform makes of them: the core's splitter is held to this table natively,
// and the table itself to the platform's CommandLineToArgvW under Wine (tests/win).
#pragma once
#include <string>
#include <vector>

struct TCommandLineCase {
    const char* Line;
    std::vector<std::string> Args; // the program's name first
};

inline const TCommandLineCase kCommandLineCases[] = {
    {"varnelc", {"varnelc"}},
    {"varnelc   ", {"varnelc"}},
    {"varnelc /kime:PC1,PC2 /mesaj:Merhaba", {"varnelc", "/kime:PC1,PC2", "/mesaj:Merhaba"}},
    {"varnelc /kime:PC1\t  /liste", {"varnelc", "/kime:PC1", "/liste"}},
    {"varnelc /mesaj:\"Sunucu 10 dakika sonra\"", {"varnelc", "/mesaj:Sunucu 10 dakika sonra"}},
    {"varnelc \"/mesaj:iki  boşluk\"", {"varnelc", "/mesaj:iki  boşluk"}},
    {"\"C:\\Program Files\\Varnel\\varnelc.exe\" /liste", {"C:\\Program Files\\Varnel\\varnelc.exe", "/liste"}},
    {"\"C:\\a\\\"b /x", {"C:\\a\\", "b", "/x"}},
    {"varnelc /mesaj:\"tırnak \\\"içinde\\\"\"", {"varnelc", "/mesaj:tırnak \"içinde\""}},
    {"varnelc /mesaj:\"a\"\"b\"", {"varnelc", "/mesaj:a\"b"}},
    {"varnelc \"a\"\"b c\"", {"varnelc", "a\"b", "c"}},
    {"varnelc \"\"", {"varnelc", ""}},
    {"varnelc \"\" x", {"varnelc", "", "x"}},
    {"varnelc a\\\\b", {"varnelc", "a\\\\b"}},
    {"varnelc a\\\\\\\"b", {"varnelc", "a\\\"b"}},
    {"varnelc \"a\\\\\" b", {"varnelc", "a\\", "b"}},
    {"varnelc /kime:@\"C:\\gruplar\\muhasebe.txt\"", {"varnelc", "/kime:@C:\\gruplar\\muhasebe.txt"}},
    {"varnelc /mesaj:\"açık kaldı", {"varnelc", "/mesaj:açık kaldı"}},
    {"varnelc \"\"\"\"", {"varnelc", "\""}},
    {"varnelc \"\"\"\"\"\"", {"varnelc", "\"\""}},
};

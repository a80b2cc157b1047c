// A host application's first use of the installed libraries.
#include <dating/date_text.h>
#include <dating/due_date.h>

#include <cstdio>

int main() {
    const auto edd = ruvo::eddFromLmp(ruvo::parseDate("1 January 2006"));
    const auto text = ruvo::datenice(edd);
    std::printf("%s\n", text.c_str());
    return text == "8 October 2006" ? 0 : 1;
}

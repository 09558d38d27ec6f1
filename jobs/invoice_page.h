// The HTML invoice page "printdata\htmlout.htm".
#pragma once

namespace jobs {

void CreateHtml();

}  // namespace jobs

// The end of the program in the middle of an exchange.
#pragma once

namespace ilink {

// The program ends while an exchange waits (an end noted in one of its waits): the exchange is given up and never
// resumes, so that the last telegrams (the drive's stop) can still go out on the open link.
void AbandonUssExchange();

}  // namespace ilink

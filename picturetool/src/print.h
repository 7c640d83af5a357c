// Printing the picture on a printer the user chooses.
#pragma once
namespace bravik {

void PrintPicture();

}  // namespace bravik

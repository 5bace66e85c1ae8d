#pragma once

#include <QString>

// Texts of the page header. A column header is a list of "caption,column"
// segments separated by ";" (column zero-based), e.g. "Código,0;Nome,8".
struct THeaderData
{
    int FirstPage = 1;
    QString Title1, Title2;
    QString Right2, Left2, Right3, Left3, Right4, Left4;
    QString ColHeader1, ColHeader2, ColHeader3;
};

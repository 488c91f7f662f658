#include "schematic/sch_read_notifier.h"

namespace schematic {

const char* formatErrorText(SchFormatError error) {
    switch (error) {
        case SchFormatError::Header: return "原理图文件格式不符！！";
        case SchFormatError::FontTable: return "原理图文件字体区段格式不符！！";
        case SchFormatError::LibraryHeader: return "原理图文件器件库区段格式不符！！";
        case SchFormatError::ComponentHeader: return "原理图文件器件库器件区段格式不符！！";
        case SchFormatError::PartGraphics: return "原理图文件器件库器件子件区段格式不符！！";
        case SchFormatError::FutureSection: return "原理图文件功能区段格式不符！！";
        case SchFormatError::SheetRecords: return "原理图文件元素记录区段格式不符！！";
        case SchFormatError::Version2Records: return "原理图文件2.0版本元素记录区段格式不符！！";
        case SchFormatError::Version2Library: return "原理图文件2.0版本器件库区段格式不符！！";
    }
    return "";
}

int failureNumber(SchFailure failure) { return static_cast<int>(failure); }

const char* failureDescription(SchFailure failure) {
    switch (failure) {
        case SchFailure::None: return "";
        case SchFailure::PastEndOfFile: return "读取超出文件尾";
        case SchFailure::NumberOutOfRange: return "数值超出范围";
        case SchFailure::MissingField: return "记录字段不全";
        case SchFailure::BadTextDelimiter: return "文本分隔符不符";
        case SchFailure::NegativeCount: return "数量为负";
        case SchFailure::NoPartToComplete: return "没有可补充的元件记录";
    }
    return "";
}

}  // namespace schematic

#include "variables/variable_menu.h"

namespace pathorama::variables {

namespace {

VariableMenuEntry Leaf(const char16_t* caption) { return {caption, {}}; }
VariableMenuEntry Separator() { return {u"-", {}}; }

}  // namespace

const std::vector<VariableMenuEntry>& VariableMenu() {
  static const std::vector<VariableMenuEntry> menu = {
      {u"日期时间",
       {
           Leaf(u"{Today}－今天日期（8位数字年月日）"),
           Leaf(u"{Day<8位数字年月日>}－今天/特定日期"),
           Leaf(u"{YYYY}－4位数年份"),
           Leaf(u"{YY}－2位数年份"),
           Leaf(u"{MM}－2位数月份"),
           Leaf(u"{M}－月份"),
           Leaf(u"{DD}－2位数日"),
           Leaf(u"{D}－日"),
           Separator(),
           Leaf(u"{CurWeekDay}－今天是星期几"),
           Leaf(u"{WeekDay}－星期几"),
           Leaf(u"{DInW}－本周第几天"),
           Leaf(u"{DInY}－今年第几天"),
           Leaf(u"{WInY}－今年第几周"),
           Leaf(u"{QInY}－今年第几季度"),
           Leaf(u"{WeekNum}－周次（可设置第1周）"),
           Separator(),
           Leaf(u"{Now}－现在的日期时间"),
           Leaf(u"{Time}－现在的时间"),
           Leaf(u"{HHour}－2位数小时（24小时制）"),
           Leaf(u"{Hour}－小时（24小时制）"),
           Leaf(u"{HH}－2位数小时（12小时制）"),
           Leaf(u"{H}－小时（12小时制）"),
           Leaf(u"{MMin}－2位数分钟"),
           Leaf(u"{Min}－分钟"),
           Leaf(u"{SSec}－2位数秒"),
           Leaf(u"{Sec}－秒"),
           Separator(),
           Leaf(u"{MonthDays}－某月所有日期（8位数字年月日）"),
           Leaf(u"{MonthDays<-67>}－不含周六周日的某月所有日期（8位数字年月日）"),
           Leaf(u"{WeekDays}－某周所有日期（8位数字年月日）"),
           Leaf(u"{WeekDays<-67>}－不含周六周日的某周所有日期（8位数字年月日）"),
       }},
      {u"文件夹路径",
       {
           Leaf(u"{NFolder}－第N层文件夹"),
           Leaf(u"{pFolder}－上一层文件夹"),
           Leaf(u"{gFolder}－上两层文件夹"),
           Separator(),
           Leaf(u"{OpenedDir}－文件管理器中打开的文件夹"),
           Leaf(u"{SelfDir}－本程序所在文件夹"),
           Leaf(u"{NewestFolderW}－修改时间最新的子文件夹"),
           Leaf(u"{NewestFolderC}－创建时间最新的子文件夹"),
           Leaf(u"{OldestFolderW}－修改时间最早的子文件夹"),
           Leaf(u"{OldestFolderC}－创建时间最早的子文件夹"),
           Separator(),
           Leaf(u"{DeskTop}－桌面"),
           Leaf(u"{MyDocuments}－我的文档"),
           Leaf(u"{MyPictures}－我的图片"),
           Leaf(u"{MyMusic}－我的音乐"),
           Leaf(u"{MyVideos}－我的视频"),
           Leaf(u"{MyDownloads}－下载"),
           Separator(),
           Leaf(u"{DocFolderPath}－Word 文档所在文件夹"),
           Leaf(u"{XlsFolderPath}－Excel 工作簿所在文件夹"),
           Leaf(u"{PptFolderPath}－PowerPoint 演示文稿所在文件夹"),
           Leaf(u"{OfficeFolderPath}－最前面的 Office 文档所在文件夹"),
           {u"更多...",
            {
                Leaf(u"{UserProfile}－用户文件夹"),
                Leaf(u"{DefaultProfile}－默认用户文件夹"),
                Leaf(u"{AllProfile}－所有用户文件夹"),
                Leaf(u"{Public}－公用文件夹"),
                Leaf(u"{AppData}－应用程序数据"),
                Leaf(u"{Recent}－最近使用的项目"),
                Leaf(u"{Favorites}－收藏夹"),
                Leaf(u"{SendTo}－发送到"),
                Leaf(u"{Cookies}－Cookies"),
                Leaf(u"{History}－历史记录"),
                Leaf(u"{Fonts}－字体"),
                Leaf(u"{Temp}－临时文件夹"),
                Leaf(u"{Program}－程序文件夹"),
                Leaf(u"{x86Program}－32位程序文件夹"),
                Leaf(u"{SysDrive}－系统盘"),
                Leaf(u"{WinDir}－Windows 文件夹"),
            }},
       }},
      {u"注册表路径",
       {
           Leaf(u"{RegAutoRun}－开机自动运行项"),
           Leaf(u"{RegAutoRunOnce}－开机运行一次的项"),
           Leaf(u"{RegCurUserAutoRun}－当前用户开机自动运行项"),
           Leaf(u"{RegCurUserAutoRunOnce}－当前用户开机运行一次的项"),
       }},
      {u"序数",
       {
           Leaf(u"{Number}－数字序列"),
           Leaf(u"{RomaNum}－罗马数字序列"),
           Leaf(u"{ChineseNum}－中文数字序列"),
           Leaf(u"{ChineseNum_Caps}－中文大写数字序列"),
           Leaf(u"{CircledNum}－带圈数字序列"),
       }},
      {u"常用字符串",
       {
           Leaf(u"{ABC_Upper}－大写英文字母"),
           Leaf(u"{ABC_Lower}－小写英文字母"),
           Leaf(u"{TianGan}－天干"),
           Leaf(u"{DiZhi}－地支"),
           Leaf(u"{ShengXiao}－十二生肖"),
       }},
      {u"系统变量",
       {
           Leaf(u"{UserName}－用户名"),
           Leaf(u"{PCName}－计算机名"),
           Leaf(u"{WorkGroup}－工作组"),
           Leaf(u"{OS}－操作系统"),
           Leaf(u"{SystemBits}－操作系统位数"),
       }},
      {u"杂项",
       {
           Leaf(u"{Random}－随机值"),
       }},
  };
  return menu;
}

}  // namespace pathorama::variables

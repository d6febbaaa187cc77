# Cases for `paths` and `info`, sourced by cli_process_test.sh.
tab=$'\t'
expect 0 "RegPath${tab}HKCU\\Software${tab}
LocalPath${tab}C:\\Tools\\t.exe${tab}/S /Wait 3
LocalPath${tab}D:\\文档\\a${tab}
LocalPath${tab}D:\\文档\\b${tab}" paths '/*<RegPath>HKCU\Software | C:\Tools\t.exe </S /Wait 3> | D:\文档\(a|b)'
expect 0 "Url${tab}https://x.cn/a${tab}" paths --auto-url 'https://x.cn/a'
expect 0 "" paths ''
# A folder argument may end in a backslash before the closing quote.
expect 0 "LocalPath${tab}C:\\a b${tab}" paths 'C:\a b\'
# The type is read from the text as given: a tag with inner spaces is no known tag.
expect 0 "disabled: yes
variables: yes
type: MixedPath
canonical: /*<RegPath>HKCU | <RegPath>HKLM" info ' / * <RegPath>HKCU||< RegPath >HKLM | '
expect 0 "disabled: no
variables: no
type: LocalPath
canonical: " info ''
# Invalid UTF-8 in an argument becomes U+FFFD natively; Windows hands the
# argument over as UTF-16 already, so only the native run checks bytes.
if [ "${#cli[@]}" -eq 1 ]; then
  expect 0 "LocalPath${tab}C:\\�x${tab}" paths $'C:\\\xffx'
fi
expect 2 "" paths --auto-url

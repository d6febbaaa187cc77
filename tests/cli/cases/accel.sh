# Cases for `accel`, sourced by cli_process_test.sh.
expect 0 "文档[&W]" accel 文档
expect 0 "Docs[&D]" accel Docs
expect 0 "中文Docs[&D]" accel 中文Docs
expect 0 "-Work[&W]" accel -Work
expect 0 "2024" accel 2024
expect 0 "R&D" accel 'R&D'
expect 0 "兙[&?]" accel 兙
# A character outside GBK (CJK Extension B) gets no key.
expect 0 "𠀀" accel 𠀀
expect 0 "Docs" accel --remove 'Docs[&D]'
expect 0 "RD" accel --remove 'R&D'
expect 0 "A && B" accel --remove 'A && B'
expect 0 "-Work" accel --remove '-Work(&W)'
# Removal would leave a separator: the group head stays.
expect 0 "-[&W]" accel --remove '-[&W]'
# A text that is the switch's name is still a text after it.
expect 0 "--remove" accel --remove --remove
expect 2 "" accel
expect 2 "" accel --remove
expect 2 "" accel a b

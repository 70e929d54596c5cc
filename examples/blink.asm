; blink.asm - toggles PB5 (the LED on many ATmega328P boards) and counts
; the toggles in SRAM; the blink period comes from EEPROM.
; Build the listing with:  avra -l blink.lst blink.asm

.device ATmega328P

.equ PORTB = 0x05
.equ DDRB  = 0x04
.equ LED   = 5

.dseg
.org 0x0100
toggles:    .byte 2         ; number of toggles since reset
state:      .byte 1         ; current LED level: 0 or 1
; scratch area for later use
scratch:
            .byte 8

.eseg
.org 0x0000
period:     .db 250         ; delay loop count, 1..255
magic:      .db 0x42        ; marks a programmed EEPROM

.cseg
.org 0x0000
reset:      rjmp main

main:       sbi DDRB, LED           ; PB5 as output
            clr r16
            sts toggles, r16
            sts toggles+1, r16
loop:       sbi PORTB, LED
            rcall delay
            cbi PORTB, LED
            rcall delay
            lds r24, toggles        ; count one toggle: 16-bit increment
            lds r25, toggles+1
            adiw r24, 1
            sts toggles, r24
            sts toggles+1, r25
            rjmp loop

delay:      ldi r17, 250
delay_1:    dec r17
            brne delay_1
            ret
